// Text formatting with Windows' own wsprintfA, apart from the sound and
// window services so that a module formatting text imports nothing more.
#include <windows.h>

#include "platform/platform.h"

size_t platform_format_integers(char* out, size_t capacity, const char* format,
                                const int32_t* values, size_t count) {
  if (!out || capacity == 0) return 0;
  int32_t v[PLATFORM_FORMAT_VALUES] = {0, 0, 0, 0};
  for (size_t i = 0; values && i < count && i < PLATFORM_FORMAT_VALUES; ++i) v[i] = values[i];
  char text[1025];  // wsprintfA writes at most 1024 characters and the 0
  int length = wsprintfA(text, format ? format : "", v[0], v[1], v[2], v[3]);
  size_t n = length > 0 ? size_t(length) : 0;
  if (n > capacity - 1) n = capacity - 1;
  for (size_t i = 0; i < n; ++i) out[i] = text[i];
  out[n] = '\0';
  return n;
}
