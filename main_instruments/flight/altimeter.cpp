// Drum-pointer altimeter: a pointer turning once per 1000 ft, three rolling
// altitude drums, four barometric-setting drums, a low-altitude flag over the
// ten-thousands drum, and the setting knob.
#include "main_instruments/frame/gauge_tables.h"
#include "main_instruments/frame/drum.h"

namespace {

enum : uint32_t {
  TOKEN_ALTITUDE = 0x4A,          // feet
  TOKEN_ALTIMETER_SETTING = 0x4C, // inches of mercury
  EVENT_SETTING_UP = 0x1015B,
  EVENT_SETTING_DOWN = 0x1015C,
  HELP_ALTIMETER = 43783,
  HELP_SETTING_KNOB = 43834,
  FAILURE_ALTIMETER = 3,
};

// Below 10000 ft the flag covers the ten-thousands drum.
constexpr double LOW_ALTITUDE = 10000.0;

// Each drum's place value and the band below the next step in which it turns.
struct DrumRule {
  double place;
  double band;
};

enum DrumIndex {
  SETTING_HUNDREDTHS,
  SETTING_TENTHS,
  SETTING_UNITS,
  SETTING_TENS,
  ALTITUDE_HUNDREDS,
  ALTITUDE_THOUSANDS,
  ALTITUDE_TEN_THOUSANDS,
};

// ORDER: DrumIndex.
// place  band
constexpr DrumRule drum_rules[] = {
    {0.01,  0.001},
    {0.1,   0.01},
    {1,     0.01},
    {10,    0.01},
    {100,   10},
    {1000,  10},
    {10000, 10},
};

template <DrumIndex RULE>
double GAUGE_CALL drum_shown(ELEMENT_HEADER* element) {
  double value = element_as<ELEMENT_MOVING_IMAGE_T>(element).y.source.source_var.var_value.n;
  return drum_reading(value, drum_rules[RULE].place, drum_rules[RULE].band);
}

double GAUGE_CALL low_altitude_flag(ELEMENT_HEADER* element) {
  return icon_shown_if(element_as<ELEMENT_ICON_T>(element).source_var.var_value.n < LOW_ALTITUDE);
}

// Straight up at 0 ft and down at 500: with both ends extended, one turn per 1000 ft.
//                           point       feet  angle
SCALE_POINT pointer_dial[] = {{{150, 108}, 0,   0},
                              {{150, 208}, 500, 0}};

const FAILURE_RECORD freeze_on_failure[] = {{FAILURE_ALTIMETER, FAIL_ACTION_FREEZE}, {0, 0}};

// A vertical drum over its reading 0 .. 10 x place.
#define DRUM(NAME, BITMAP, X, Y, FAILURE, TOKEN, RULE)                                            \
  ELEMENT_MOVING_IMAGE_T NAME = {                                                              \
      ELEMENT_HEAD(ELEMENT_MOVING_IMAGE, BITMAP, X, Y, 0, 0, nullptr, FAILURE, 0x4083),          \
      {NO_AXIS, 0, 0},                                                                         \
      {{TOKEN_VAR(TOKEN), drum_shown<RULE>, 0}, 0, 10 * drum_rules[RULE].place}}

// Layers over the face, in drawing order.
//   name                bitmap x    y    failure            token                    rule
DRUM(setting_hundredths, 440,   215, 186, nullptr,           TOKEN_ALTIMETER_SETTING, SETTING_HUNDREDTHS);
DRUM(setting_tenths,     440,   202, 186, nullptr,           TOKEN_ALTIMETER_SETTING, SETTING_TENTHS);
DRUM(setting_units,      440,   189, 186, nullptr,           TOKEN_ALTIMETER_SETTING, SETTING_UNITS);
DRUM(setting_tens,       440,   176, 186, nullptr,           TOKEN_ALTIMETER_SETTING, SETTING_TENS);
DRUM(hundreds,           450,   116, 128, freeze_on_failure, TOKEN_ALTITUDE,          ALTITUDE_HUNDREDS);
DRUM(thousands,          460,   87,  141, freeze_on_failure, TOKEN_ALTITUDE,          ALTITUDE_THOUSANDS);
DRUM(ten_thousands,      480,   63,  141, freeze_on_failure, TOKEN_ALTITUDE,          ALTITUDE_TEN_THOUSANDS);
//                           kind          bitmap x   y    hub      layers   failure            flags
ELEMENT_ICON_T low_flag = {ELEMENT_HEAD(ELEMENT_ICON, 470, 63, 141, 0, 0, nullptr, freeze_on_failure, 0x4083),
                           TOKEN_VAR(TOKEN_ALTITUDE), low_altitude_flag, 1};
ELEMENT_NEEDLE_T pointer = {ELEMENT_HEAD(ELEMENT_NEEDLE, 420, 150, 158, 10, 10, nullptr, freeze_on_failure, 0x4083),
                            TOKEN_VAR(TOKEN_ALTITUDE), nullptr, pointer_dial, 2, 0};
ELEMENT_STATIC_IMAGE_T glass = {STATIC_HEAD(490, 0, 0, nullptr, 0x3)};
ELEMENT_HEADER* layers[] = {&setting_hundredths.header, &setting_tenths.header, &setting_units.header,
                            &setting_tens.header,       &hundreds.header,       &thousands.header,
                            &ten_thousands.header,      &low_flag.header,       &pointer.header,
                            &glass.header,              nullptr};
ELEMENT_STATIC_IMAGE_T face = {STATIC_HEAD(410, 0, 0, layers, 0x4003)};

// The knob's two halves overlap; the decreasing half comes first and wins there.
//  type                   box                 cursor            help               flags           event               function
MOUSERECT altimeter_mouse[] = {
    {MOUSE_RECT_PARENT,     {0, 0, 0, 0},       CURSOR_NONE,      HELP_ALTIMETER,    0,              0,                  nullptr},
    {MOUSE_RECT_CHILD,      {13, 242, 26, 52},  CURSOR_DOWNARROW, HELP_SETTING_KNOB, MOUSE_STEPPING, EVENT_SETTING_DOWN, nullptr},
    {MOUSE_RECT_CHILD,      {26, 242, 26, 52},  CURSOR_UPARROW,   HELP_SETTING_KNOB, MOUSE_STEPPING, EVENT_SETTING_UP,   nullptr},
    {MOUSE_RECT_END_PARENT, {0, 0, 0, 0},       CURSOR_NONE,      0,                 0,              0,                  nullptr},
    {MOUSE_RECT_EOL,        {0, 0, 0, 0},       CURSOR_NONE,      0,                 0,              0,                  nullptr},
};

}  // namespace

GAUGE_HEADER_320(Altimeter, 100, &face.header, altimeter_mouse, nullptr);
