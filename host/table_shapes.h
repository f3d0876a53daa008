// Record shapes every module writes its tables with: element heads, variable
// records and mouse areas, each spelled once here so that a gauge's tables
// read one row a line with only the columns that differ.
#pragma once

#include "host/gauges.h"

// An element's common head. LAYERS is the null-ended list of elements drawn
// over it or nullptr; FAILURE the failure records or nullptr.
#define ELEMENT_HEAD(KIND, BITMAP, X, Y, HUB_X, HUB_Y, LAYERS, FAILURE, FLAGS)                 \
  {KIND, BITMAP, {X, Y}, {HUB_X, HUB_Y}, nullptr, nullptr, LAYERS, FAILURE, FLAGS, nullptr, \
   nullptr}
// A static image's head: no hub and no failure records.
#define STATIC_HEAD(BITMAP, X, Y, LAYERS, FLAGS) \
  ELEMENT_HEAD(ELEMENT_STATIC_IMAGE, BITMAP, X, Y, 0, 0, LAYERS, nullptr, FLAGS)

// A variable record the host looks up by token before the element's callback runs.
#define TOKEN_VAR(TOKEN) {TOKEN, {}, nullptr, 0, 0}
// A variable record without a token: the module owns its value.
#define NO_VAR TOKEN_VAR(0)

// A slider, sprite or moving-image axis without a source.
#define NO_AXIS {NO_VAR, nullptr, 0}

// Areas that act on every click and again on each repeat while held.
constexpr uint32_t MOUSE_STEPPING = MOUSE_LEFTSINGLE | MOUSE_DOWN_REPEAT;

// A parent area with its tooltip; an empty box covers the whole gauge.
#define MOUSE_PARENT(X, Y, W, H, HELP) \
  {MOUSE_RECT_PARENT, {X, Y, W, H}, CURSOR_NONE, HELP, 0, 0, nullptr}
// A child area, its box relative to its parent's; sends EVENT when FUNCTION is nullptr.
#define MOUSE_CHILD(X, Y, W, H, CURSOR, HELP, FLAGS, EVENT, FUNCTION) \
  {MOUSE_RECT_CHILD, {X, Y, W, H}, CURSOR, HELP, FLAGS, EVENT, FUNCTION}
// Closes the innermost open parent area.
#define MOUSE_END_PARENT {MOUSE_RECT_END_PARENT, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, nullptr}
// Ends a mouse list.
#define MOUSE_END_LIST {MOUSE_RECT_EOL, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, nullptr}
