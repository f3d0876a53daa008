// Standby magnetic compass: a card strip sliding behind its window.
#include "main_instruments/frame/gauge_tables.h"

namespace {

enum : uint32_t {
  TOKEN_COMPASS_HEADING = 0x53,  // degrees
  HELP_COMPASS = 43895,
  FAILURE_COMPASS = 12,
};

const FAILURE_RECORD compass_failure[] = {{FAILURE_COMPASS, FAIL_ACTION_NONE}, {0, 0}};

// The strip runs from 360 at its start down to 0 at its end.
ELEMENT_MOVING_IMAGE_T card = {
    ELEMENT_HEAD(ELEMENT_MOVING_IMAGE, 1400, 54, 35, 0, 0, nullptr, compass_failure, 0x4083),
    {{TOKEN_VAR(TOKEN_COMPASS_HEADING), nullptr, 0}, 360, 0},
    {NO_AXIS, 0, 0}};
ELEMENT_HEADER* layers[] = {&card.header, nullptr};
ELEMENT_STATIC_IMAGE_T housing = {STATIC_HEAD(1390, 0, 0, layers, 0x3)};

TOOLTIP_MOUSE(compass_mouse, HELP_COMPASS);

}  // namespace

GAUGE_HEADER_320(Magnetic_Compass, 100, &housing.header, compass_mouse, nullptr);
