#include "ui/IconFile.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;
constexpr DWORD kIconFormatVersion = 0x00030000;

uint16_t readU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t readU32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int32_t readI32(const unsigned char* p) {
  uint32_t value = readU32(p);
  int32_t result;
  std::memcpy(&result, &value, sizeof result);
  return result;
}

struct IconDirectory {
  const unsigned char* bytes = nullptr;
  size_t size = 0;
  uint16_t count = 0;

  const unsigned char* entry(uint16_t index) const { return bytes + kHeaderSize + kEntrySize * index; }
};

bool readDirectory(const unsigned char* bytes, size_t size, IconDirectory* directory) {
  if (!bytes || size < kHeaderSize) return false;
  uint16_t reserved = readU16(bytes), type = readU16(bytes + 2), count = readU16(bytes + 4);
  if (reserved != 0 || (type != 1 && type != 2) || count == 0) return false;
  if (size < kHeaderSize + kEntrySize * count) return false;
  *directory = {bytes, size, count};
  return true;
}

// The image bytes of an entry, or false when they lie outside the file or are too short to
// hold a bitmap header.
bool imageOf(const IconDirectory& directory, uint16_t index, const unsigned char** image,
             DWORD* imageSize) {
  const unsigned char* entry = directory.entry(index);
  uint32_t length = readU32(entry + 8), offset = readU32(entry + 12);
  if (offset > directory.size || length > directory.size - offset || length < 40) return false;
  *image = directory.bytes + offset;
  *imageSize = length;
  return true;
}

HICON iconFromImage(const unsigned char* image, DWORD imageSize, int width, int height) {
  // The API takes a non-const pointer but does not write through it.
  PBYTE bits = const_cast<PBYTE>(image);
  HICON icon = CreateIconFromResourceEx(bits, imageSize, TRUE, kIconFormatVersion, width, height,
                                        LR_DEFAULTCOLOR);
  if (!icon && readU16(image + 14) != 16) {
    icon = CreateIconFromResource(bits, imageSize, TRUE, kIconFormatVersion);
  }
  return icon;
}

HICON trayPass(const IconDirectory& directory, unsigned wantedWidth) {
  uint16_t chosen = static_cast<uint16_t>(directory.count - 1);
  for (uint16_t i = 0; i < directory.count; ++i) {
    const unsigned char* entry = directory.entry(i);
    if (entry[2] >= 16 && entry[0] == wantedWidth) {
      chosen = i;
      break;
    }
  }
  const unsigned char* image;
  DWORD imageSize;
  if (!imageOf(directory, chosen, &image, &imageSize)) return nullptr;
  return iconFromImage(image, imageSize, readI32(image + 4), readI32(image + 8) / 2);
}

}  // namespace

HICON trayIconFromIconFile(const unsigned char* bytes, size_t size) {
  IconDirectory directory;
  if (!readDirectory(bytes, size, &directory)) return nullptr;
  HICON icon = trayPass(directory, 16);
  if (!icon) icon = trayPass(directory, 32);
  return icon;
}

HICON windowIconFromIconFile(const unsigned char* bytes, size_t size, int pixels) {
  IconDirectory directory;
  if (!readDirectory(bytes, size, &directory)) return nullptr;
  // Directory widths: 0 stands for 256.
  auto widthOf = [&](uint16_t i) { return directory.entry(i)[0] ? directory.entry(i)[0] : 256; };
  int best = -1;
  for (uint16_t i = 0; i < directory.count; ++i) {
    int width = widthOf(i);
    bool fits = width >= pixels;
    if (best < 0) {
      best = i;
      continue;
    }
    int bestWidth = widthOf(static_cast<uint16_t>(best));
    bool bestFits = bestWidth >= pixels;
    if ((fits && (!bestFits || width < bestWidth)) || (!fits && !bestFits && width > bestWidth)) {
      best = i;
    }
  }
  const unsigned char* image;
  DWORD imageSize;
  if (!imageOf(directory, static_cast<uint16_t>(best), &image, &imageSize)) return nullptr;
  return iconFromImage(image, imageSize, pixels, pixels);
}
