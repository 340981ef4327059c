#pragma once
// The control visual-style layer: gives the push buttons and edit boxes of the GUI thread (and
// its check boxes, radio buttons, group boxes, combo boxes and up-downs) the program's own flat,
// rounded, gradient look with hover highlighting, whatever the Windows theme is.
#include <cstdint>

struct VisualStyle {
  // Chooses colour scheme 1, 2 or 3 and (re-)installs the layer: every control of a handled kind
  // on the calling thread, existing or created later, is taken over once. Any other number
  // removes the layer and gives every control its own window procedure back.
  // Returns 1 when the layer is installed afterwards; when removing, the result of taking the
  // hook away (0 when there was none).
  static int32_t select(int32_t scheme);
};
