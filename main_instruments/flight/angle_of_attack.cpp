// Angle-of-attack indicator: a needle over the raw angle-of-attack variable
// and a flag while the variable 0x2F1 is at most 20.
#include "main_instruments/frame/gauge_tables.h"

namespace {

enum : uint32_t {
  TOKEN_FLAG_SOURCE = 0x2F1,
  TOKEN_ANGLE_OF_ATTACK = 0x15D,  // raw 0 .. 32767
  HELP_ANGLE_OF_ATTACK = 41220,
  FAILURE_ANGLE_OF_ATTACK = 18,
};

constexpr double FLAG_UP_TO = 20.0;
// The flag's value while it shows: the host draws its one picture for it.
constexpr double FLAG_SHOWN = 1.0;

double GAUGE_CALL flag_value(ELEMENT_HEADER* element) {
  return element_as<ELEMENT_ICON_T>(element).source_var.var_value.n <= FLAG_UP_TO ? FLAG_SHOWN
                                                                                   : ICON_NONE;
}

//                       point       raw    angle
SCALE_POINT aoa_dial[] = {{{92, 22},   1,     0},
                          {{167, 92},  13107, 0},
                          {{38, 146},  32767, 0}};

const FAILURE_RECORD freeze_on_failure[] = {{FAILURE_ANGLE_OF_ATTACK, FAIL_ACTION_FREEZE}, {0, 0}};

//                             kind            bitmap x    y   hub     layers   failure            flags
ELEMENT_ICON_T flag = {ELEMENT_HEAD(ELEMENT_ICON, 2200, 127, 75, 0, 0, nullptr, nullptr, 0x4003),
                       TOKEN_VAR(TOKEN_FLAG_SOURCE), flag_value, 1};
ELEMENT_NEEDLE_T needle = {ELEMENT_HEAD(ELEMENT_NEEDLE, 2180, 92, 92, 10, 9, nullptr, freeze_on_failure, 0x4083),
                           TOKEN_VAR(TOKEN_ANGLE_OF_ATTACK), nullptr, aoa_dial, 3, 0};
ELEMENT_STATIC_IMAGE_T glass = {STATIC_HEAD(2190, 0, 0, nullptr, 0x3)};
ELEMENT_HEADER* layers[] = {&flag.header, &needle.header, &glass.header, nullptr};
ELEMENT_STATIC_IMAGE_T face = {STATIC_HEAD(2170, 0, 0, layers, 0x4003)};

TOOLTIP_MOUSE(angle_of_attack_mouse, HELP_ANGLE_OF_ATTACK);

}  // namespace

GAUGE_HEADER_320(Angle_Of_Attack, 50, &face.header, angle_of_attack_mouse, nullptr);
