// Radio altimeter: height above ground on a non-linear dial with a
// decision-height bug and knob, its own power button (the module-wide radio
// altimeter power that the attitude director also reads), the decision-height
// lamp and, with "s1" in the parameters, spoken callouts during descents.
#include "main_instruments/frame/gauge_tables.h"
#include "main_instruments/frame/params.h"
#include "main_instruments/sound/sound_player.h"

namespace {

enum : uint32_t {
  TOKEN_ON_GROUND = 0x3C,             // exactly 1 on the ground
  TOKEN_VERTICAL_SPEED = 0x41,        // metres per second x 256
  TOKEN_WARNING_FLAG = 0x117,         // the flag picture shows while 1
  TOKEN_RADIO_ALTITUDE = 0x266,       // metres
  TOKEN_DECISION_HEIGHT = 0x267,      // metres
  TOKEN_DECISION_HEIGHT_LAMP = 0x268, // 0 or 1
  TOKEN_CALLOUT_READINESS = 0x2F3,    // callouts wait until it reaches 20
  EVENT_DECISION_HEIGHT_UP = 0x10311,
  EVENT_DECISION_HEIGHT_DOWN = 0x10312,
  HELP_RADIO_ALTIMETER = 43540,
  FAILURE_RADIO_ALTIMETER = 20,
};

constexpr double METRES_PER_FOOT = 0.3047999902464003;
constexpr double FEET_PER_METRE = 3.28084;
constexpr double ft(double feet) { return feet * METRES_PER_FOOT; }

// The decision-height knob turns twenty times as far as the bug on the dial.
constexpr double KNOB_TURNS_PER_DIAL_TURN = 20.0;
// Decision height steps carry value 1 below 300 ft, 0 above; it stops at 2500 ft.
constexpr double LOW_DECISION_HEIGHT = ft(300);
constexpr double HIGHEST_DECISION_HEIGHT = ft(2500);
// Vertical speed smoothing: each update keeps nine tenths of the old value.
constexpr double SPEED_KEPT = 0.9;
constexpr double CALLOUT_READY = 20.0;

// ---------------------------------------------------------------------------
// Callouts.

struct Callout {
  double threshold;  // metres
  SoundBuffer sound;
  uint32_t wave_id;
  int32_t volume;    // hundredths of a decibel
};

enum { DECISION_HEIGHT_CALLOUT = 0, CALLOUT_COUNT = 13 };

// ORDER: the decision height first, then from the highest threshold down; the
// first record that plays in an update ends the search.
// threshold (m)  sound      wave  volume
Callout callouts[CALLOUT_COUNT] = {
    {0.0,         {nullptr}, 1280, -500},  // set each update to the decision height
    {ft(2500),    {nullptr}, 1160, -500},
    {ft(1000),    {nullptr}, 1170, -500},
    {ft(500),     {nullptr}, 1180, -500},
    {ft(400),     {nullptr}, 1190, -500},
    {ft(300),     {nullptr}, 1200, -500},
    {ft(200),     {nullptr}, 1210, -500},
    {ft(100),     {nullptr}, 1220, -500},
    {ft(50),      {nullptr}, 1230, -500},
    {ft(40),      {nullptr}, 1240, -500},
    {ft(30),      {nullptr}, 1250, -500},
    {ft(20),      {nullptr}, 1260, -500},
    {ft(10),      {nullptr}, 1270, -500},
};

uint32_t callouts_enabled = 0;
void* module_resources = nullptr;
void* host_window = nullptr;
SoundDevice callout_device = {nullptr};
// Its value is the previous radio altitude until the next lookup.
MODULE_VAR radio_altitude = TOKEN_VAR(TOKEN_RADIO_ALTITUDE);
double smoothed_vertical_speed = 0.0;  // ft/min

void install_callouts(const GAUGEHDR* gauge, uintptr_t resources) {
  callouts_enabled = param_read_switch(gauge, "s");
  if (!callouts_enabled) return;
  module_resources = reinterpret_cast<void*>(resources);
  host_window = sound_find_host_window();
  sound_create_device(host_window, &callout_device);
  for (Callout& callout : callouts) {
    if (!sound_load(&callout_device, &callout.sound, callout.wave_id, module_resources)) break;
    sound_set_volume(&callout.sound, callout.volume);
  }
}

// Plays when the descent crossed the threshold since the last update, steeply
// enough (the rate in ft/min at most minus the threshold's metres), and the
// callout is not still playing.
bool try_callout(Callout& callout, double previous, double current) {
  bool crossed = callout.threshold <= previous && callout.threshold >= current;
  if (!crossed || smoothed_vertical_speed > -callout.threshold) return false;
  if (sound_is_playing(&callout.sound)) return false;
  sound_play(&callout.sound);
  return true;
}

void update_callouts() {
  double previous = radio_altitude.var_value.n;
  host().lookup_var(&radio_altitude);
  double current = radio_altitude.var_value.n;
  callouts[DECISION_HEIGHT_CALLOUT].threshold = token_value(TOKEN_DECISION_HEIGHT);
  double feet_per_minute = token_value(TOKEN_VERTICAL_SPEED) / 256 * FEET_PER_METRE * 60;
  smoothed_vertical_speed =
      feet_per_minute * (1.0 - SPEED_KEPT) + SPEED_KEPT * smoothed_vertical_speed;
  if (!radio_altimeter_power || !callouts_enabled) return;
  if (token_value(TOKEN_CALLOUT_READINESS) < CALLOUT_READY) return;
  for (Callout& callout : callouts)
    if (try_callout(callout, previous, current)) return;
}

void release_callouts() {
  for (int i = DECISION_HEIGHT_CALLOUT + 1; i < CALLOUT_COUNT; ++i)
    sound_release_buffer(&callouts[i].sound);
  sound_release_buffer(&callouts[DECISION_HEIGHT_CALLOUT].sound);
  sound_release_device(&callout_device);
}

void GAUGE_CALL radio_altimeter_callback(GAUGEHDR* gauge, int32_t service_id, uintptr_t extra) {
  switch (service_id) {
    case SERVICE_INSTALL: install_callouts(gauge, extra); break;
    case SERVICE_CONNECT_TO_WINDOW: host().lookup_var(&radio_altitude); break;
    case SERVICE_PRE_UPDATE: update_callouts(); break;
    case SERVICE_PRE_KILL: release_callouts(); break;
    default: break;
  }
}

// ---------------------------------------------------------------------------
// Dial and elements.

ELEMENT_NEEDLE_T& as_needle(ELEMENT_HEADER* element) {
  return *reinterpret_cast<ELEMENT_NEEDLE_T*>(element);
}
ELEMENT_ICON_T& as_icon(ELEMENT_HEADER* element) {
  return *reinterpret_cast<ELEMENT_ICON_T*>(element);
}

// The altitude needle: from the gauge's first element, the first child twice.
const ELEMENT_NEEDLE_T* altitude_needle_of(const ELEMENT_HEADER* element) {
  const ELEMENT_HEADER* at = element->gauge_header ? element->gauge_header->elements_list : nullptr;
  for (int step = 0; step < 2 && at; ++step) at = at->next_element ? at->next_element[0] : nullptr;
  if (!at || at->element_type != ELEMENT_NEEDLE) return nullptr;
  return reinterpret_cast<const ELEMENT_NEEDLE_T*>(at);
}

// Where a value stands on a needle's scale, in the angles the host measured
// for its rows: on or beyond the end rows the end segment nearer the value
// extends, inside the first segment whose rows enclose it.
double dial_angle(const ELEMENT_NEEDLE_T& needle, double value) {
  const SCALE_POINT* rows = needle.scale;
  uint32_t count = needle.scale_rows;
  if (!rows || count < 2) return 0.0;
  double first = rows[0].value;
  double last = rows[count - 1].value;
  uint32_t segment = count - 2;
  bool inside = (value > first && value < last) || (value < first && value > last);
  if (!inside) {
    double to_first = value > first ? value - first : first - value;
    double to_last = value > last ? value - last : last - value;
    if (to_first < to_last) segment = 0;
  } else {
    for (uint32_t i = 0; i + 1 < count; ++i) {
      double a = rows[i].value, b = rows[i + 1].value;
      if ((a <= value && value <= b) || (b <= value && value <= a)) {
        segment = i;
        break;
      }
    }
  }
  double v0 = rows[segment].value, a0 = rows[segment].angle;
  double v1 = rows[segment + 1].value, a1 = rows[segment + 1].angle;
  if (v0 == v1) return a0;
  return ((value - v1) * a0 + (v0 - value) * a1) / (v0 - v1);
}

double GAUGE_CALL warning_flag_picture(ELEMENT_HEADER* element) {
  return static_cast<double>(int64_t{as_icon(element).source_var.var_value.o} - 1);
}

double GAUGE_CALL altitude_shown(ELEMENT_HEADER* element) {
  return radio_altimeter_power ? as_needle(element).source_var.var_value.n : 0.0;
}

double GAUGE_CALL power_button_picture(ELEMENT_HEADER*) { return radio_altimeter_power ? 1 : 0; }

double GAUGE_CALL decision_height_lamp(ELEMENT_HEADER* element) {
  if (!radio_altimeter_power || token_value(TOKEN_ON_GROUND) == 1.0) return 0.0;
  return as_icon(element).source_var.var_value.n;
}

double GAUGE_CALL knob_angle(ELEMENT_HEADER* element) {
  const ELEMENT_NEEDLE_T* dial = altitude_needle_of(element);
  if (!dial) return 0.0;
  return KNOB_TURNS_PER_DIAL_TURN * dial_angle(*dial, as_needle(element).source_var.var_value.n);
}

// The dial, height -> point, for the altitude needle and the decision-height bug.
//                             point       height (m)
SCALE_POINT dial_scale[] = {{{104, 56},  ft(-1),    0},
                            {{150, 47},  ft(0),     0},
                            {{150, 267}, ft(500),   0},
                            {{94, 247},  ft(700),   0},
                            {{56, 204},  ft(1000),  0},
                            {{40, 150},  ft(1500),  0},
                            {{48, 103},  ft(2000),  0},
                            {{72, 94},   ft(2500),  0},
                            {{104, 56},  ft(3000),  0},
                            {{104, 56},  ft(99999), 0}};
enum : uint32_t { DIAL_ROWS = sizeof dial_scale / sizeof dial_scale[0] };

const FAILURE_RECORD zero_on_failure[] = {{FAILURE_RADIO_ALTIMETER, FAIL_ACTION_ZERO}, {0, 0}};
const FAILURE_RECORD dark_on_failure[] = {{FAILURE_RADIO_ALTIMETER, FAIL_ACTION_NO_DRAW}, {0, 0}};


// Each element is the only child of the one drawn below it, so they are
// written from the top of the drawing (the knob) down to the face, the
// gauge's first element.
// ELEMENT_HEAD: kind, bitmap, position x y, hub x y, children, failure, image flags;
// then the source token, callback and the kind's own fields.
ELEMENT_NEEDLE_T knob = {ELEMENT_HEAD(ELEMENT_NEEDLE, 1340, 258, 268, 23, 23, nullptr, nullptr, 0x83),
                         TOKEN_VAR(TOKEN_DECISION_HEIGHT), knob_angle, nullptr, 0, 0};
ELEMENT_HEADER* above_lamp[] = {&knob.header, nullptr};
ELEMENT_ICON_T lamp = {ELEMENT_HEAD(ELEMENT_ICON, 1320, 20, 28, 0, 0, above_lamp, dark_on_failure, 0x7),
                       TOKEN_VAR(TOKEN_DECISION_HEIGHT_LAMP), decision_height_lamp, 2};
ELEMENT_HEADER* above_power[] = {&lamp.header, nullptr};
ELEMENT_ICON_T power_button = {ELEMENT_HEAD(ELEMENT_ICON, 1350, 248, 14, 0, 0, above_power, nullptr, 0x3),
                               TOKEN_VAR(0), power_button_picture, 2};
ELEMENT_HEADER* above_bezel[] = {&power_button.header, nullptr};
ELEMENT_STATIC_IMAGE_T bezel = {ELEMENT_HEAD(ELEMENT_STATIC_IMAGE, 1360, 0, 0, 0, 0, above_bezel, nullptr, 0x3)};
ELEMENT_HEADER* above_bug[] = {&bezel.header, nullptr};
ELEMENT_NEEDLE_T bug = {ELEMENT_HEAD(ELEMENT_NEEDLE, 1310, 150, 150, 0, 11, above_bug, nullptr, 0x4083),
                        TOKEN_VAR(TOKEN_DECISION_HEIGHT), nullptr, dial_scale, DIAL_ROWS, 0};
ELEMENT_HEADER* above_needle[] = {&bug.header, nullptr};
ELEMENT_NEEDLE_T altitude_needle = {
    ELEMENT_HEAD(ELEMENT_NEEDLE, 1300, 150, 150, 18, 17, above_needle, zero_on_failure, 0x4083),
    TOKEN_VAR(TOKEN_RADIO_ALTITUDE), altitude_shown, dial_scale, DIAL_ROWS, 0};
ELEMENT_HEADER* above_flag[] = {&altitude_needle.header, nullptr};
ELEMENT_ICON_T warning_flag = {ELEMENT_HEAD(ELEMENT_ICON, 1330, 223, 45, 0, 0, above_flag, nullptr, 0x4083),
                               TOKEN_VAR(TOKEN_WARNING_FLAG), warning_flag_picture, 1};
ELEMENT_HEADER* above_face[] = {&warning_flag.header, nullptr};
ELEMENT_STATIC_IMAGE_T face = {ELEMENT_HEAD(ELEMENT_STATIC_IMAGE, 1290, 0, 0, 0, 0, above_face, nullptr, 0x4003)};

// ---------------------------------------------------------------------------
// Mouse.

int32_t GAUGE_CALL decision_height_down(MOUSE_POINT*, uint32_t) {
  double height = token_value(TOKEN_DECISION_HEIGHT);
  if (height > 0) host().trigger_key_event(EVENT_DECISION_HEIGHT_DOWN, height < LOW_DECISION_HEIGHT);
  return 0;
}

int32_t GAUGE_CALL decision_height_up(MOUSE_POINT*, uint32_t) {
  double height = token_value(TOKEN_DECISION_HEIGHT);
  if (height < HIGHEST_DECISION_HEIGHT)
    host().trigger_key_event(EVENT_DECISION_HEIGHT_UP, height < LOW_DECISION_HEIGHT);
  return 0;
}

int32_t GAUGE_CALL power_click(MOUSE_POINT*, uint32_t) {
  radio_altimeter_power = radio_altimeter_power ? 0 : 1;
  return 0;
}

//  type                   box                  cursor            help                  flags             event function
MOUSERECT radio_altimeter_mouse[] = {
    {MOUSE_RECT_PARENT,     {0, 0, 0, 0},       CURSOR_NONE,      HELP_RADIO_ALTIMETER, 0,                0, nullptr},
    {MOUSE_RECT_CHILD,      {235, 245, 23, 46}, CURSOR_DOWNARROW, 0,                    MOUSE_STEPPING,         0, decision_height_down},
    {MOUSE_RECT_CHILD,      {258, 245, 23, 46}, CURSOR_UPARROW,   0,                    MOUSE_STEPPING,         0, decision_height_up},
    {MOUSE_RECT_CHILD,      {248, 14, 32, 37},  CURSOR_HAND,      0,                    MOUSE_LEFTSINGLE, 0, power_click},
    {MOUSE_RECT_END_PARENT, {0, 0, 0, 0},       CURSOR_NONE,      0,                    0,                0, nullptr},
    {MOUSE_RECT_EOL,        {0, 0, 0, 0},       CURSOR_NONE,      0,                    0,                0, nullptr},
};

}  // namespace

GAUGE_HEADER_320(Radio_Altimeter, 100, &face.header, radio_altimeter_mouse,
                 radio_altimeter_callback);
