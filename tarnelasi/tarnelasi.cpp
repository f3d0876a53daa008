// asi: an airspeed indicator with a target-speed marker set by a knob at its
// lower right. The target lives in the module only: it steers nothing, and all
// placements share it.
#include "host/module_records.h"
#include "host/element_routines.h"
#include "host/table_shapes.h"

namespace {

enum : uint32_t { INDICATED_AIRSPEED = 0x3d };

const double TARGET_MIN = 80, TARGET_MAX = 400;  // knots
const double SHOWN_MAX = 500;                    // knots
const double KNOB_STEP = 4, KNOB_LAST = 359;     // degrees

double target_speed = 80.0;   // knots, whole
double knob_angle = 0.0;      // degrees, 0 .. 359
double shown_airspeed = 0.0;  // knots, 0 .. 500
MODULE_VAR airspeed = TOKEN_VAR(INDICATED_AIRSPEED);
// Bound to "target_airspeed" at initialise; nothing reads or writes it.
MODULE_VAR target_airspeed = NO_VAR;

double GAUGE_CALL marker_value(ELEMENT_HEADER*) { return target_speed; }

// Above 500 shows 500; below 0 or not a number shows 0.
double GAUGE_CALL pointer_value(ELEMENT_HEADER*) {
  ImportTable.panels->lookup_var(&airspeed);
  shown_airspeed = airspeed.var_value.n;
  if (shown_airspeed > SHOWN_MAX) shown_airspeed = SHOWN_MAX;
  if (!(shown_airspeed >= 0)) shown_airspeed = 0;
  return shown_airspeed;
}

double GAUGE_CALL knob_value(ELEMENT_HEADER*) { return knob_angle; }

// The knob's wrap is not a whole turn: left from 0 gives 359, right from 356
// on gives 0.
int32_t GAUGE_CALL knob_left(MOUSE_POINT*, uint32_t) {
  knob_angle = knob_angle - KNOB_STEP < 0 ? KNOB_LAST : knob_angle - KNOB_STEP;
  target_speed = target_speed < TARGET_MAX ? target_speed + 1 : TARGET_MAX;
  return 0;
}

int32_t GAUGE_CALL knob_right(MOUSE_POINT*, uint32_t) {
  knob_angle = knob_angle + KNOB_STEP > KNOB_LAST ? 0 : knob_angle + KNOB_STEP;
  target_speed = target_speed > TARGET_MIN ? target_speed - 1 : TARGET_MIN;
  return 0;
}

void GAUGE_CALL asi_callback(GAUGEHDR*, int32_t service_id, uintptr_t) {
  if (service_id == SERVICE_PRE_INITIALIZE)
    ImportTable.panels->initialize_var_by_name(&target_airspeed, "target_airspeed");
}

const FAILURE_RECORD needle_failures[] = {{20, FAIL_ACTION_ZERO}, {0, 0}};

// Knots to points about the pivot (139,146); bearings 357.8, 3.2, 30.7, 114.2,
// 333.2 and 349.3 degrees.
//                      point        value
SCALE_POINT dial_scale[] = {{{134, 16}, 0, 0},  {{146, 21}, 60, 0},  {{205, 35}, 80, 0},
                            {{248, 195}, 140, 0}, {{86, 41}, 400, 0}, {{116, 24}, 500, 0}};

// Element heads: kind, bitmap, position (a needle's pivot), hub, layers,
// failure records, flags; a static image's: bitmap, position, layers, flags.
ELEMENT_NEEDLE_T knob = {ELEMENT_HEAD(ELEMENT_NEEDLE, 4102, 250, 252, 21, 21, nullptr, nullptr, 0x83),
                         NO_VAR, knob_value, nullptr, 0, 0};
ELEMENT_HEADER* over_pointer[] = {&knob.header, nullptr};
ELEMENT_NEEDLE_T pointer = {
    ELEMENT_HEAD(ELEMENT_NEEDLE, 4099, 139, 146, 0, 7, over_pointer, needle_failures, 0x4083),
    NO_VAR, pointer_value, dial_scale, 6, 0};
ELEMENT_HEADER* over_marker[] = {&pointer.header, nullptr};
ELEMENT_NEEDLE_T marker = {
    ELEMENT_HEAD(ELEMENT_NEEDLE, 4100, 139, 146, 0, 10, over_marker, needle_failures, 0x4083),
    NO_VAR, marker_value, dial_scale, 6, 0};
ELEMENT_HEADER* over_face[] = {&marker.header, nullptr};
ELEMENT_ICON_T face = {ELEMENT_HEAD(ELEMENT_ICON, 4098, 14, 20, 0, 0, over_face, nullptr, 0x4003),
                       NO_VAR, nullptr, 1};
ELEMENT_HEADER* over_background[] = {&face.header, nullptr};
ELEMENT_STATIC_IMAGE_T background = {STATIC_HEAD(4097, 0, 0, over_background, 0x83)};

MOUSERECT asi_mouse[] = {
    //           box           help
    MOUSE_PARENT(0, 0, 0, 0,   0),
    //          box                 cursor       help flags           event function
    MOUSE_CHILD(229, 231, 21, 42,   CURSOR_HAND, 0,   MOUSE_STEPPING, 0,    knob_left),
    MOUSE_CHILD(250, 231, 21, 42,   CURSOR_HAND, 0,   MOUSE_STEPPING, 0,    knob_right),
    MOUSE_END_PARENT,
    MOUSE_END_LIST,
};

ELEMENT_ROUTINES(asi, &background.header)

GAUGEHDR gauge_asi = {GAUGE_HEADER_VERSION_320, "asi", &background.header,
                      ELEMENT_ROUTINE_NAMES(asi), 38, asi_mouse, asi_callback, 0, nullptr};

}  // namespace

MODULE_RECORDS(0x900, 1, &gauge_asi)
