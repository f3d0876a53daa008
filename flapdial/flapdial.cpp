// WISPFLAPS: a flap indicator for a four-position lever. Two pictures slide
// down to the stop of the lever's detent; the upper and lower halves of the
// gauge send the flap step events from their mouse records.
#include <math.h>

#include "host/module_records.h"
#include "host/element_routines.h"
#include "host/table_shapes.h"

namespace {

enum : uint32_t {
  FLAP_LEVER = 328,  // 0 .. 16383, detents at thirds
  EVENT_FLAPS_UP_STEP = 0x100DF,
  EVENT_FLAPS_DOWN_STEP = 0x100DE,
};

// Downward offsets in pixels of one picture at each stop.
struct FlapStops {
  double retracted;      // lever at 0, or not a number
  double first_detent;   // lever inside 5400 .. 5500
  double second_detent;  // lever inside 10900 .. 11000
  double other;          // full flaps, and anywhere between the windows
};

//                              up  first second other
const FlapStops pointer_stops = {23, 38,   48,    80};
const FlapStops handle_stops = {25, 50,   68,    84};

double stop_offset(const FlapStops& stops, ELEMENT_HEADER* element) {
  double v = reinterpret_cast<ELEMENT_SLIDER_T*>(element)->y.source_var.var_value.n;
  if (v == 0 || isnan(v)) return stops.retracted;
  if (v > 5400 && v < 5500) return stops.first_detent;
  if (v > 10900 && v < 11000) return stops.second_detent;
  return stops.other;
}

double GAUGE_CALL pointer_offset(ELEMENT_HEADER* element) { return stop_offset(pointer_stops, element); }
double GAUGE_CALL handle_offset(ELEMENT_HEADER* element) { return stop_offset(handle_stops, element); }

// A slider moving only down, one pixel per unit its callback returns.
#define FLAP_SLIDER(NAME, BITMAP, X, CHILD, CALLBACK)                                             \
  ELEMENT_SLIDER_T NAME = {ELEMENT_HEAD(ELEMENT_SLIDER, BITMAP, X, 0, 0, 0, CHILD, nullptr, 0x3), \
                           NO_AXIS, {TOKEN_VAR(FLAP_LEVER), CALLBACK, 1.0}}

//          slider   bitmap x   layers       callback
FLAP_SLIDER(pointer, 4128,  0,  nullptr,     pointer_offset);
ELEMENT_HEADER* over_handle[] = {&pointer.header, nullptr};
FLAP_SLIDER(handle,  4112,  23, over_handle, handle_offset);
ELEMENT_HEADER* over_background[] = {&handle.header, nullptr};
//                                               bitmap x  y  layers           flags
ELEMENT_STATIC_IMAGE_T background = {STATIC_HEAD(4096, 0, 0, over_background, 0x1)};

MOUSERECT flap_mouse[] = {
    //           box           help
    MOUSE_PARENT(0, 0, 0, 0,   40981),
    //          box            cursor            help flags        event                  function
    MOUSE_CHILD(0, 0, 76, 60,  CURSOR_DOWNARROW, 0,   0xA0000000u, EVENT_FLAPS_UP_STEP,   nullptr),
    MOUSE_CHILD(0, 62, 76, 60, CURSOR_UPARROW,   0,   0xA0000000u, EVENT_FLAPS_DOWN_STEP, nullptr),
    MOUSE_END_PARENT,
    MOUSE_END_LIST,
};

ELEMENT_ROUTINES(flaps, &background.header)

GAUGEHDR gauge_WISPFLAPS = {GAUGE_HEADER_VERSION_2BC,     "WISPFLAPS", &background.header,
                            ELEMENT_ROUTINE_NAMES(flaps), 76,          flap_mouse,
                            nullptr,                      0,           nullptr};

}  // namespace

MODULE_RECORDS(0, 1, &gauge_WISPFLAPS)
