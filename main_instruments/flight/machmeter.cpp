// Mach indicator: one needle straight from the simulator's Mach number.
#include "main_instruments/frame/gauge_tables.h"

namespace {

enum : uint32_t {
  TOKEN_MACH = 0x40,  // Mach number x 20480
  HELP_MACHMETER = 41441,
};

// Mach 1.0 and 2.0 share a point: the needle stops at Mach 1.
//                         point       Mach x 20480  angle   Mach
SCALE_POINT mach_dial[] = {{{153, 33},  0,     0},   // 0
                           {{193, 43},  6144,  0},   // 0.3
                           {{274, 149}, 9216,  0},   // 0.45
                           {{154, 271}, 13312, 0},   // 0.65
                           {{39, 149},  17408, 0},   // 0.85
                           {{113, 42},  20480, 0},   // 1.0
                           {{113, 42},  40960, 0}};  // 2.0
enum : uint32_t { DIAL_ROWS = sizeof mach_dial / sizeof mach_dial[0] };

//                                kind            bitmap x    y    hub      layers   failure  flags
ELEMENT_NEEDLE_T needle = {ELEMENT_HEAD(ELEMENT_NEEDLE, 2010, 153, 150, 72, 13, nullptr, nullptr, 0x4083),
                           TOKEN_VAR(TOKEN_MACH), nullptr, mach_dial, DIAL_ROWS, 0};
ELEMENT_STATIC_IMAGE_T glass = {STATIC_HEAD(2030, 0, 0, nullptr, 0x3)};
ELEMENT_HEADER* layers[] = {&needle.header, &glass.header, nullptr};
ELEMENT_STATIC_IMAGE_T face = {STATIC_HEAD(2000, 0, 0, layers, 0x4003)};

TOOLTIP_MOUSE(machmeter_mouse, HELP_MACHMETER);

}  // namespace

GAUGE_HEADER_320(Machmeter, 100, &face.header, machmeter_mouse, nullptr);
