// Airspeed indicator: a lagging speed needle, a second needle for a speed the
// simulator gives in 1/128 kt, and a drum window with the last two digits.
#include <math.h>

#include "main_instruments/frame/gauge_tables.h"

namespace {

enum : uint32_t {
  TOKEN_AIRSPEED = 0x3D,         // knots
  TOKEN_SECOND_SPEED = 0x3F,     // 1/128 knot
  HELP_AIRSPEED = 43778,
  FAILURE_PITOT = 6,
};

// The needle follows the airspeed through a first-order lag: each update
// keeps e^(-1/3) of the shown speed and takes the rest from the airspeed.
constexpr double LAG_KEPT = 0.7165313105737893;
constexpr double LAG_TAKEN = 0.28346868942621073;
constexpr double SECOND_SPEED_UNITS_PER_KNOT = 128.0;
// The drum shows the speed within its hundred; exactly 100 kt shows 100.
constexpr double DRUM_SPAN = 100.0;

// Module state: the lagging needle's speed, 0 at load.
double lagged_airspeed = 0.0;

double GAUGE_CALL lagged_speed(ELEMENT_HEADER* element) {
  double airspeed = element_as<ELEMENT_NEEDLE_T>(element).source_var.var_value.n;
  lagged_airspeed = LAG_KEPT * lagged_airspeed + LAG_TAKEN * airspeed;
  return lagged_airspeed;
}

double GAUGE_CALL second_speed(ELEMENT_HEADER* element) {
  return element_as<ELEMENT_NEEDLE_T>(element).source_var.var_value.n /
         SECOND_SPEED_UNITS_PER_KNOT;
}

double GAUGE_CALL drum_speed(ELEMENT_HEADER* element) {
  double airspeed = element_as<ELEMENT_MOVING_IMAGE_T>(element).x.source.source_var.var_value.n;
  if (airspeed > DRUM_SPAN) return airspeed - DRUM_SPAN * floor(airspeed / DRUM_SPAN);
  return airspeed;
}

// Both needles share one dial (and pivot); 650 and 700 kt share a point: the stop.
//                           point      knots
SCALE_POINT airspeed_dial[] = {{{149, 43},  0,   0},
                               {{173, 44},  50,  0},
                               {{149, 270}, 350, 0},
                               {{126, 45},  650, 0},
                               {{126, 45},  700, 0}};
enum : uint32_t { DIAL_ROWS = sizeof airspeed_dial / sizeof airspeed_dial[0] };

const FAILURE_RECORD zero_on_pitot_failure[] = {{FAILURE_PITOT, FAIL_ACTION_ZERO}, {0, 0}};

// Layers over the face, in drawing order.
//                                  kind                  bitmap x    y    hub      layers   failure                flags
ELEMENT_MOVING_IMAGE_T drum = {ELEMENT_HEAD(ELEMENT_MOVING_IMAGE, 380, 104, 85, 0, 0, nullptr, zero_on_pitot_failure, 0x4083),
                               {{TOKEN_VAR(TOKEN_AIRSPEED), drum_speed, 0}, 0, DRUM_SPAN},
                               {NO_AXIS, 0, 0}};
ELEMENT_NEEDLE_T second_needle = {ELEMENT_HEAD(ELEMENT_NEEDLE, 370, 149, 153, 35, 13, nullptr, nullptr, 0x4083),
                                  TOKEN_VAR(TOKEN_SECOND_SPEED), second_speed, airspeed_dial, DIAL_ROWS, 0};
ELEMENT_NEEDLE_T speed_needle = {ELEMENT_HEAD(ELEMENT_NEEDLE, 360, 149, 153, 35, 13, nullptr, zero_on_pitot_failure, 0x4083),
                                 TOKEN_VAR(TOKEN_AIRSPEED), lagged_speed, airspeed_dial, DIAL_ROWS, 0};
ELEMENT_STATIC_IMAGE_T glass = {STATIC_HEAD(390, 0, 0, nullptr, 0x3)};
ELEMENT_HEADER* layers[] = {&drum.header, &second_needle.header, &speed_needle.header, &glass.header, nullptr};
ELEMENT_STATIC_IMAGE_T face = {STATIC_HEAD(350, 0, 0, layers, 0x4003)};

TOOLTIP_MOUSE(airspeed_mouse, HELP_AIRSPEED);

}  // namespace

GAUGE_HEADER_320(Airspeed, 100, &face.header, airspeed_mouse, nullptr);
