#pragma once
// The program icon: the bytes of ui/ProgramIcon.ico (drawn by tools/make_icon.py), a 128x128
// and a 48x48 32-bit image in that order. The same bytes serve the window icon and the tray.
#include "ui/WindowLayout.h"

extern const ByteSpan kProgramIcon;
