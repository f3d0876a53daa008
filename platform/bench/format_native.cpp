// wsprintfA's formatting of "%d" and "%%" for native modules, so that their
// texts read exactly as under Windows.
#include "platform/platform.h"

namespace {

// Appends c while there is room for it and the closing 0.
struct Output {
  char* out;
  size_t capacity;
  size_t used;
  void put(char c) {
    if (used + 1 < capacity) out[used++] = c;
  }
};

void put_decimal(Output& output, int32_t value) {
  // Through 64 bits so that the most negative value has a magnitude.
  int64_t magnitude = value;
  if (magnitude < 0) {
    output.put('-');
    magnitude = -magnitude;
  }
  char digits[12];
  size_t n = 0;
  do {
    digits[n++] = char('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (n > 0) output.put(digits[--n]);
}

}  // namespace

size_t platform_format_integers(char* out, size_t capacity, const char* format,
                                const int32_t* values, size_t count) {
  if (!out || capacity == 0) return 0;
  Output output{out, capacity, 0};
  size_t next = 0;
  for (const char* p = format ? format : ""; *p; ++p) {
    if (p[0] == '%' && p[1] == 'd') {
      bool given = values && next < count && next < PLATFORM_FORMAT_VALUES;
      put_decimal(output, given ? values[next] : 0);
      ++next;
      ++p;
    } else if (p[0] == '%' && p[1] == '%') {
      output.put('%');
      ++p;
    } else {
      output.put(*p);
    }
  }
  out[output.used] = '\0';
  return output.used;
}
