// Pixel sizes of bitmap resources: a whole BMP file (native builds embed the
// files as they are) or a bare DIB (what a Windows bitmap resource holds).
#include <cstring>

#include "bench/bench.h"

namespace panelbench {

namespace {
uint32_t read_u32(const unsigned char* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t read_u16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }
}  // namespace

std::optional<PIXPOINT> bitmap_dimensions(const void* data, uint32_t size) {
  auto* p = static_cast<const unsigned char*>(data);
  if (size >= 14 && p[0] == 'B' && p[1] == 'M') {
    p += 14;
    size -= 14;
  }
  if (size < 12) return std::nullopt;
  uint32_t header = read_u32(p);
  if (header == 12) return PIXPOINT{read_u16(p + 4), read_u16(p + 6)};
  if (header < 40 || size < 16) return std::nullopt;
  int32_t width = int32_t(read_u32(p + 4));
  int32_t height = int32_t(read_u32(p + 8));
  if (width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
  return PIXPOINT{width, height < 0 ? -height : height};
}

}  // namespace panelbench
