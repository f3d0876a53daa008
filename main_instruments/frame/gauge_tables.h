// Helpers of the main instrument module on top of the shared table shapes:
// the gauge header, a tooltip-only mouse list, and reading other simulator
// variables from inside a callback.
#pragma once

#include "host/table_shapes.h"
#include "main_instruments/frame/module.h"

// A version 0x320 gauge header: elements, mouse list and callback only.
#define GAUGE_HEADER_320(NAME, SIZE_MM, FIRST_ELEMENT, MOUSE, CALLBACK)                      \
  GAUGEHDR gauge_##NAME = {GAUGE_HEADER_VERSION_320, #NAME, FIRST_ELEMENT, nullptr, nullptr, \
                           nullptr, nullptr, nullptr, nullptr, nullptr, SIZE_MM, MOUSE,      \
                           CALLBACK, 0, nullptr}

// A mouse list that only shows the gauge's tooltip.
#define TOOLTIP_MOUSE(NAME, HELP)     \
  MOUSERECT NAME[] = {                \
      MOUSE_PARENT(0, 0, 0, 0, HELP), \
      MOUSE_END_PARENT,               \
      MOUSE_END_LIST,                 \
  }

// The element record of the kind the callback was named in.
template <typename Kind>
Kind& element_as(ELEMENT_HEADER* element) {
  return *reinterpret_cast<Kind*>(element);
}

// Another simulator variable, looked up now.
inline VAR_VALUE token_var(uint32_t token) {
  MODULE_VAR var = TOKEN_VAR(token);
  host().lookup_var(&var);
  return var.var_value;
}
inline double token_value(uint32_t token) { return token_var(token).n; }
// The integer an integer-valued variable delivers in its low 32 bits.
inline int32_t token_integer(uint32_t token) { return token_var(token).o; }

// Icon values: the one picture, or none.
constexpr double ICON_SHOWN = 0.0;
constexpr double ICON_NONE = -1.0;
inline double icon_shown_if(bool shown) { return shown ? ICON_SHOWN : ICON_NONE; }

inline void set_hidden(ELEMENT_HEADER* element, bool hidden) {
  if (hidden)
    element->image_flags |= IMAGE_HIDDEN;
  else
    element->image_flags &= ~IMAGE_HIDDEN;
}

inline double limited(double value, double low, double high) {
  return value < low ? low : (value > high ? high : value);
}
