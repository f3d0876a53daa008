// Panel-window toggles: small buttons that open, close or toggle panel windows.
// Three are fixed (their child area sends one key event); fourteen take their
// picture, tooltip and actions from the parameter string.
#include <string.h>

#include "main_instruments/frame/gauge_tables.h"
#include "main_instruments/frame/module.h"
#include "main_instruments/frame/params.h"

namespace {

enum : uint32_t {
  EVENT_PANEL_TOGGLE = 0x103CA,
  EVENT_PANEL_OPEN = 0x103CB,
  EVENT_PANEL_CLOSE = 0x103CC,
  EVENT_VIEW_RESET = 0x10153,
  EVENT_VIEW_NEXT = 0x100C6,
  EVENT_VIEW_PREVIOUS = 0x100C7,
  EVENT_KNEEBOARD = 0x10154,
  EVENT_ATC = 0x1001C,
  EVENT_MAP = 0x10380,
};

enum : uint32_t { FIRST_PICTURE = 1000, LAST_PICTURE = 1130, STARTED = 1 };
// A view step count beyond this is taken as this: the view cycle is far
// shorter, and a stray huge number would freeze the panel sending events.
enum : int64_t { MAX_VIEW_STEPS = 64 };
enum : int32_t { NO_TOOLTIP_BELOW = 40960, MAIN_PANEL = 0 };

// name            ident
const ParamName panel_names[] = {
    {"MAIN_PANEL", 0},
    {"RADIO_STACK_PANEL", 50},
    {"COMPASS_PANEL", 75},
    {"ANNUNCIATOR_PANEL", 125},
    {"ANNUNCIATOR2_PANEL", 150},
    {"COLLECTIVE_PANEL", 200},
    {"THROTTLE_PANEL", 10},
    {"MINI_CONTROLS_PANEL", 100},
    {"IFR_MAIN_PANEL", 175},
    {"GPS_PANEL", 225},
    {"OVERHEAD_PANEL", 250},
    {nullptr, 0},
};

// name                        tooltip id
const ParamName tooltip_names[] = {
    {"TOGGLE_RADIO_WINDOW", 43910},
    {"TOGGLE_GPS_WINDOW", 43911},
    {"TOGGLE_THROTTLE_WINDOW", 43912},
    {"TOGGLE_COMPASS_WINDOW", 43913},
    {"TOGGLE_FUEL_WINDOW", 43914},
    {"TOGGLE_COLLECTIVE_WINDOW", 43915},
    {nullptr, 0},
};

int32_t tooltip_value(const char* text) {
  int32_t id = param_named_value(text, tooltip_names, 0);
  return id < NO_TOOLTIP_BELOW ? 0 : id;
}

// Sends event with the panel ident written behind every occurrence of key.
void send_for_each_panel(const char* text, const char* key, uint32_t event) {
  for (const char* found = param_find(text, key); found; found = param_find_next(found, key)) {
    int32_t ident = param_named_value(found + strlen(key), panel_names, -1);
    if (ident >= 0) host().trigger_key_event(event, static_cast<uint32_t>(ident));
  }
}

void send_view_steps(const char* text) {
  const char* found = param_find(text, "p");
  if (!found) return;
  int32_t steps = param_integer(found + 1, nullptr);
  if (steps == 0) {
    host().trigger_key_event(EVENT_VIEW_RESET, 0);
    return;
  }
  uint32_t event = steps > 0 ? EVENT_VIEW_NEXT : EVENT_VIEW_PREVIOUS;
  int64_t count = steps > 0 ? int64_t{steps} : -int64_t{steps};
  if (count > MAX_VIEW_STEPS) count = MAX_VIEW_STEPS;
  for (int64_t i = 0; i < count; ++i)
    host().trigger_key_event(event, 0);
}

bool apply_picture(GAUGEHDR* gauge, const char* text) {
  const char* found = param_find(text, "b");
  if (!found) return true;
  int32_t picture = param_integer(found + 1, nullptr);
  if (!gauge->elements_list || picture % 10 != 0 || picture < int32_t{FIRST_PICTURE} ||
      picture > int32_t{LAST_PICTURE})
    return false;
  gauge->elements_list->resource_id = static_cast<uint32_t>(picture);
  return true;
}

void apply_tooltip(GAUGEHDR* gauge, const char* text) {
  const char* found = param_find(text, "h");
  if (found && gauge->mouse_rect)
    gauge->mouse_rect[0].help_id = static_cast<uint32_t>(tooltip_value(found + 1));
}

void GAUGE_CALL toggle_callback(GAUGEHDR* gauge, int32_t service_id, uintptr_t) {
  if (service_id != SERVICE_INSTALL) return;
  const char* text = param_text(gauge);
  // A picture outside the toggle set leaves the whole install step undone.
  if (!apply_picture(gauge, text)) return;
  apply_tooltip(gauge, text);
  if (gauge->user_data == 0) {
    send_for_each_panel(text, "a", EVENT_PANEL_CLOSE);
    gauge->user_data = STARTED;
  }
}

int32_t GAUGE_CALL toggle_click(MOUSE_POINT* point, uint32_t) {
  const char* text = point ? param_text(point->gauge) : nullptr;
  if (!text) {
    host().panel_window_toggle(MAIN_PANEL);
    return 0;
  }
  send_for_each_panel(text, "o", EVENT_PANEL_OPEN);
  send_for_each_panel(text, "c", EVENT_PANEL_CLOSE);
  send_for_each_panel(text, "t", EVENT_PANEL_TOGGLE);
  send_view_steps(text);
  return 0;
}

}  // namespace

// One button: a picture under a parent area carrying the tooltip and a 13 x 13
// child area that either sends a key event or calls the configurable click.
#define TOGGLE_GAUGE(NAME, BITMAP, TOOLTIP, EVENT, CLICK, CALLBACK)                         \
  static ELEMENT_STATIC_IMAGE_T NAME##_picture = {STATIC_HEAD(BITMAP, 0, 0, nullptr, 0x3)}; \
  static MOUSERECT NAME##_mouse[] = {                                                       \
      MOUSE_PARENT(0, 0, 0, 0, TOOLTIP),                                                    \
      MOUSE_CHILD(3, 3, 13, 13, CURSOR_HAND, 0, MOUSE_LEFTSINGLE, EVENT, CLICK),            \
      MOUSE_END_PARENT,                                                                     \
      MOUSE_END_LIST,                                                                       \
  };                                                                                        \
  GAUGE_HEADER_320(NAME, 19, &NAME##_picture.header, NAME##_mouse, CALLBACK)

#define FIXED_TOGGLE(NAME, BITMAP, TOOLTIP, EVENT) \
  TOGGLE_GAUGE(NAME, BITMAP, TOOLTIP, EVENT, nullptr, nullptr)
#define CONFIGURABLE_TOGGLE(NAME, BITMAP, TOOLTIP) \
  TOGGLE_GAUGE(NAME, BITMAP, TOOLTIP, 0, toggle_click, toggle_callback)

//           gauge                   bitmap tooltip event
FIXED_TOGGLE(Kneeboard_Toggle,       60,    43923,  EVENT_KNEEBOARD);
FIXED_TOGGLE(ATC_Toggle,             80,    43924,  EVENT_ATC);
FIXED_TOGGLE(Map_Toggle,             70,    43919,  EVENT_MAP);

//                  gauge                   bitmap tooltip
CONFIGURABLE_TOGGLE(Invisible_Toggle,       1000,  0);
CONFIGURABLE_TOGGLE(Fuel_Zoom,              1010,  43914);
CONFIGURABLE_TOGGLE(Close_Subpanel,         1020,  0);
CONFIGURABLE_TOGGLE(Radios_Toggle,          1030,  43910);
CONFIGURABLE_TOGGLE(Show_Yoke,              1040,  0);
CONFIGURABLE_TOGGLE(Landing_View_Toggle,    1050,  0);
CONFIGURABLE_TOGGLE(Nav_Instruments_Toggle, 1060,  0);
CONFIGURABLE_TOGGLE(GPS_Toggle,             1070,  43911);
CONFIGURABLE_TOGGLE(Throttle_Toggle,        1080,  43912);
CONFIGURABLE_TOGGLE(Overhead_Toggle,        1090,  43925);
CONFIGURABLE_TOGGLE(Compass_Toggle,         1100,  43913);
CONFIGURABLE_TOGGLE(Electricity_Toggle,     1110,  0);
CONFIGURABLE_TOGGLE(Gear_Toggle,            1120,  0);
CONFIGURABLE_TOGGLE(Starter_Toggle,         1130,  0);
