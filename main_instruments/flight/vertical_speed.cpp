// Vertical speed indicator: one needle over a dial marked in ft/min from a
// variable in metres per second x 256.
#include "main_instruments/frame/gauge_tables.h"

namespace {

enum : uint32_t {
  TOKEN_VERTICAL_SPEED = 0x41,  // metres per second x 256
  HELP_VERTICAL_SPEED = 12441,
  FAILURE_STATIC_PORT = 19,
};

// The dial is marked in ft/min; its rows are in the variable's units
// (1000 ft/min = 1300.48 x 1/256 m/s). It stops at 6000 ft/min either way:
// the end rows repeat their points.
//                       point       m/s x 256            angle     ft/min
SCALE_POINT vs_dial[] = {{{243, 157}, -9103.35970869249,  0},   // -7000
                         {{243, 157}, -7802.879750307849, 0},   // -6000
                         {{162, 242}, -3901.4398751539243, 0},  // -3000
                         {{107, 241}, -2600.9599167692827, 0},  // -2000
                         {{58, 205},  -1300.4799583846413, 0},  // -1000
                         {{35, 138},  0,                  0},   // 0
                         {{59, 72},   1300.4799583846413, 0},   // 1000
                         {{108, 38},  2600.9599167692827, 0},   // 2000
                         {{162, 38},  3901.4398751539243, 0},   // 3000
                         {{243, 120}, 7802.879750307849,  0},   // 6000
                         {{243, 120}, 9103.35970869249,   0}};  // 7000
enum : uint32_t { DIAL_ROWS = sizeof vs_dial / sizeof vs_dial[0] };

const FAILURE_RECORD freeze_on_static_failure[] = {{FAILURE_STATIC_PORT, FAIL_ACTION_FREEZE}, {0, 0}};

//                                kind            bitmap x    y    hub      layers   failure                   flags
ELEMENT_NEEDLE_T needle = {ELEMENT_HEAD(ELEMENT_NEEDLE, 3470, 138, 138, 48, 10, nullptr, freeze_on_static_failure, 0x4083),
                           TOKEN_VAR(TOKEN_VERTICAL_SPEED), nullptr, vs_dial, DIAL_ROWS, 0};
ELEMENT_STATIC_IMAGE_T glass = {STATIC_HEAD(3480, 0, 0, nullptr, 0x3)};
ELEMENT_HEADER* layers[] = {&needle.header, &glass.header, nullptr};
ELEMENT_STATIC_IMAGE_T face = {STATIC_HEAD(3460, 0, 0, layers, 0x4003)};

// The tooltip comes from a tooltip record inside the gauge's parent area.
MOUSERECT vertical_speed_mouse[] = {
    {MOUSE_RECT_PARENT,     {0, 0, 0, 0}, CURSOR_NONE, 0,                   0, 0, nullptr},
    {MOUSE_RECT_TOOLTIP,    {0, 0, 0, 0}, CURSOR_NONE, HELP_VERTICAL_SPEED, 0, 0, nullptr},
    {MOUSE_RECT_END_PARENT, {0, 0, 0, 0}, CURSOR_NONE, 0,                   0, 0, nullptr},
    {MOUSE_RECT_EOL,        {0, 0, 0, 0}, CURSOR_NONE, 0,                   0, 0, nullptr},
};

}  // namespace

GAUGE_HEADER_320(Vertical_Speed, 100, &face.header, vertical_speed_mouse, nullptr);
