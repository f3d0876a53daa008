// Table shapes and small helpers shared by the flight instruments: element
// and variable records written one row a line, the gauge header, and reading
// other simulator variables from inside a callback.
#pragma once

#include "main_instruments/frame/module.h"

// An element's common head. LAYERS is the null-ended list of elements drawn
// over it (the instruments hang every layer from their face) or nullptr.
#define ELEMENT_HEAD(KIND, BITMAP, X, Y, HUB_X, HUB_Y, LAYERS, FAILURE, FLAGS)                 \
  {KIND, BITMAP, {X, Y}, {HUB_X, HUB_Y}, nullptr, nullptr, LAYERS, FAILURE, FLAGS, nullptr, \
   nullptr}
#define STATIC_HEAD(BITMAP, X, Y, LAYERS, FLAGS) \
  ELEMENT_HEAD(ELEMENT_STATIC_IMAGE, BITMAP, X, Y, 0, 0, LAYERS, nullptr, FLAGS)

// A variable record looked up by the host before the element's callback runs.
#define TOKEN_VAR(TOKEN) {TOKEN, {}, nullptr, 0, 0}
#define NO_VAR TOKEN_VAR(0)

// A slider, sprite or moving-image axis without a source.
#define NO_AXIS {NO_VAR, nullptr, 0}

// A version 0x320 gauge header: elements, mouse list and callback only.
#define INSTRUMENT_GAUGE(NAME, SIZE_MM, FIRST_ELEMENT, MOUSE, CALLBACK)                      \
  GAUGEHDR gauge_##NAME = {GAUGE_HEADER_VERSION_320, #NAME, FIRST_ELEMENT, nullptr, nullptr, \
                           nullptr, nullptr, nullptr, nullptr, nullptr, SIZE_MM, MOUSE,      \
                           CALLBACK, 0, nullptr}

// A mouse list that only shows the gauge's tooltip.
#define TOOLTIP_MOUSE(NAME, HELP)                                              \
  MOUSERECT NAME[] = {                                                         \
      {MOUSE_RECT_PARENT, {0, 0, 0, 0}, CURSOR_NONE, HELP, 0, 0, nullptr},     \
      {MOUSE_RECT_END_PARENT, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, nullptr},    \
      {MOUSE_RECT_EOL, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, nullptr},           \
  }

// Areas that act on every click and again on each repeat while held.
constexpr uint32_t MOUSE_STEPPING = MOUSE_LEFTSINGLE | MOUSE_DOWN_REPEAT;

// The element record of the kind the callback was named in.
template <typename Kind>
Kind& element_as(ELEMENT_HEADER* element) {
  return *reinterpret_cast<Kind*>(element);
}

// Another simulator variable, looked up now.
inline VAR_VALUE token_var(uint32_t token) {
  MODULE_VAR var = {token, {}, nullptr, 0, 0};
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
