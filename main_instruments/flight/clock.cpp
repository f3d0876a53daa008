// Clock: hour, minute and second hands over the time of day, a digital
// window, and knobs that set the simulator's clock a minute at a time (four
// minutes a step while held).
#include <math.h>

#include "main_instruments/frame/gauge_tables.h"

namespace {

enum : uint32_t {
  TOKEN_DIGITAL_WINDOW = 0x150,
  TOKEN_TIME_OF_DAY = 0x22D,  // seconds
  EVENT_SET_HOURS = 0x101FC,
  EVENT_SET_MINUTES = 0x101FD,
  EVENT_WINDOW_UP = 0x100FD,
  EVENT_WINDOW_DOWN = 0x100FE,
  HELP_CLOCK = 43798,
  HELP_DIGITAL_WINDOW = 43872,
  FAILURE_DISPLAY = 20,
};

enum : int64_t { SECONDS_PER_DAY = 86400, STEP_SECONDS = 60, HELD_STEP_SECONDS = 240 };

// Sets the clock to the time of day moved by step seconds, seconds dropped:
// hours first, then minutes.
void set_clock(int64_t step) {
  double now = token_value(TOKEN_TIME_OF_DAY);
  // A time outside the day (or not a number) counts from its place in the day.
  int64_t seconds = isfinite(now) ? static_cast<int64_t>(fmod(now, double{SECONDS_PER_DAY})) : 0;
  seconds = ((seconds + step) % SECONDS_PER_DAY + SECONDS_PER_DAY) % SECONDS_PER_DAY;
  int64_t minutes = seconds / 60;
  host().trigger_key_event(EVENT_SET_HOURS, static_cast<uint32_t>(minutes / 60));
  host().trigger_key_event(EVENT_SET_MINUTES, static_cast<uint32_t>(minutes % 60));
}

int64_t step_for(uint32_t mouse_flags) {
  return (mouse_flags & MOUSE_DOWN_REPEAT) ? HELD_STEP_SECONDS : STEP_SECONDS;
}

int32_t GAUGE_CALL clock_forward(MOUSE_POINT*, uint32_t mouse_flags) {
  set_clock(step_for(mouse_flags));
  return 0;
}

int32_t GAUGE_CALL clock_backward(MOUSE_POINT*, uint32_t mouse_flags) {
  set_clock(-step_for(mouse_flags));
  return 0;
}

// Each hand points up at 0 and down half its turn later; both ends extend.
//                        point       seconds angle
SCALE_POINT hour_dial[] = {{{157, 129}, 0,     0},
                           {{157, 169}, 21600, 0}};   // 6 hours
SCALE_POINT minute_dial[] = {{{157, 129}, 0,    0},
                             {{157, 169}, 1800, 0}};  // 30 minutes
SCALE_POINT second_dial[] = {{{157, 129}, 0,  0},
                             {{157, 169}, 30, 0}};    // 30 seconds

const FAILURE_RECORD hide_on_failure[] = {{FAILURE_DISPLAY, FAIL_ACTION_NO_DRAW}, {0, 0}};

// Layers over the face, in drawing order.
ELEMENT_STRING_T digital_window = {
    ELEMENT_HEAD(ELEMENT_STRING, 0, 85, 162, 0, 0, nullptr, hide_on_failure, 0x7),
    {TOKEN_VAR(TOKEN_DIGITAL_WINDOW), NO_VAR, NO_VAR},
    nullptr,
    {136, 46},
    6,
    "%6.2f",
    0x0000FF,  // red
    0x000000,
    0x00FF00,
    "Quartz",
    400,
    1,
    0x25,
    nullptr,
    nullptr};
//                                  kind            bitmap x    y    hub      layers   failure  flags
ELEMENT_NEEDLE_T hour_hand = {ELEMENT_HEAD(ELEMENT_NEEDLE, 2430, 157, 149, 12, 12, nullptr, nullptr, 0x4083),
                              TOKEN_VAR(TOKEN_TIME_OF_DAY), nullptr, hour_dial, 2, 0};
ELEMENT_NEEDLE_T minute_hand = {ELEMENT_HEAD(ELEMENT_NEEDLE, 2420, 157, 149, 12, 12, nullptr, nullptr, 0x4083),
                                TOKEN_VAR(TOKEN_TIME_OF_DAY), nullptr, minute_dial, 2, 0};
ELEMENT_NEEDLE_T second_hand = {ELEMENT_HEAD(ELEMENT_NEEDLE, 2410, 157, 149, 53, 8, nullptr, nullptr, 0x4083),
                                TOKEN_VAR(TOKEN_TIME_OF_DAY), nullptr, second_dial, 2, 0};
ELEMENT_STATIC_IMAGE_T glass = {STATIC_HEAD(2440, 0, 0, nullptr, 0x3)};
ELEMENT_HEADER* layers[] = {&digital_window.header, &hour_hand.header, &minute_hand.header,
                            &second_hand.header, &glass.header, nullptr};
ELEMENT_STATIC_IMAGE_T face = {STATIC_HEAD(2400, 0, 0, layers, 0x4003)};

//  type                   box                  cursor            help                 flags             event              function
MOUSERECT clock_mouse[] = {
    {MOUSE_RECT_PARENT,     {0, 0, 0, 0},        CURSOR_NONE,      HELP_CLOCK,          0,                0,                 nullptr},
    {MOUSE_RECT_CHILD,      {38, 227, 36, 72},   CURSOR_UPARROW,   0,                   MOUSE_STEPPING,   0,                 clock_forward},
    {MOUSE_RECT_CHILD,      {2, 227, 36, 72},    CURSOR_DOWNARROW, 0,                   MOUSE_STEPPING,   0,                 clock_backward},
    {MOUSE_RECT_PARENT,     {85, 162, 136, 46},  CURSOR_NONE,      HELP_DIGITAL_WINDOW, 0,                0,                 nullptr},
    {MOUSE_RECT_CHILD,      {68, 0, 68, 46},     CURSOR_UPARROW,   0,                   MOUSE_LEFTSINGLE, EVENT_WINDOW_UP,   nullptr},
    {MOUSE_RECT_CHILD,      {0, 0, 68, 46},      CURSOR_DOWNARROW, 0,                   MOUSE_LEFTSINGLE, EVENT_WINDOW_DOWN, nullptr},
    {MOUSE_RECT_END_PARENT, {0, 0, 0, 0},        CURSOR_NONE,      0,                   0,                0,                 nullptr},
    {MOUSE_RECT_END_PARENT, {0, 0, 0, 0},        CURSOR_NONE,      0,                   0,                0,                 nullptr},
    {MOUSE_RECT_EOL,        {0, 0, 0, 0},        CURSOR_NONE,      0,                   0,                0,                 nullptr},
};

}  // namespace

GAUGE_HEADER_320(Clock, 100, &face.header, clock_mouse, nullptr);
