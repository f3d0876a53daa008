// G-meter: the load factor needle and two memory needles holding the lowest
// and highest load factor since the last reset (or since load).
#include "main_instruments/frame/gauge_tables.h"

namespace {

enum : uint32_t {
  TOKEN_LOAD_FACTOR = 0x15F,  // g x 624
  HELP_ACCELEROMETER = 42268,
  HELP_RESET = 42279,
  FAILURE_ACCELEROMETER = 2,
};

// Module state: the memories, in the load factor's units; both 0 g at load.
double lowest_load_factor = 0.0;
double highest_load_factor = 0.0;

void remember(double load_factor) {
  if (load_factor < lowest_load_factor) lowest_load_factor = load_factor;
  if (load_factor > highest_load_factor) highest_load_factor = load_factor;
}

void GAUGE_CALL accelerometer_callback(GAUGEHDR*, int32_t service_id, uintptr_t) {
  if (service_id == SERVICE_PRE_UPDATE) remember(token_value(TOKEN_LOAD_FACTOR));
}

double GAUGE_CALL lowest_shown(ELEMENT_HEADER*) { return lowest_load_factor; }
double GAUGE_CALL highest_shown(ELEMENT_HEADER*) { return highest_load_factor; }

int32_t GAUGE_CALL reset_memories(MOUSE_POINT*, uint32_t) {
  lowest_load_factor = highest_load_factor = token_value(TOKEN_LOAD_FACTOR);
  return 0;
}

// One dial for the three needles on one pivot, -2 g to +4 g, with stops at
// -2 g and +4 g (the end rows repeat their points).
//                     point       g x 624  angle   g
SCALE_POINT g_dial[] = {{{266, 188}, -3120, 0},  // -5
                        {{266, 188}, -1248, 0},  // -2
                        {{113, 256}, 0,     0},  // 0
                        {{70, 165},  624,   0},  // 1
                        {{116, 82},  1248,  0},  // 2
                        {{267, 163}, 2496,  0},  // 4
                        {{267, 163}, 3120,  0}}; // 5
enum : uint32_t { DIAL_ROWS = sizeof g_dial / sizeof g_dial[0] };

// The record names no action: a failed g-meter reads on.
const FAILURE_RECORD needle_failure[] = {{FAILURE_ACCELEROMETER, FAIL_ACTION_NONE}, {0, 0}};

//                                    kind            bitmap x    y    hub      layers   failure         flags
ELEMENT_NEEDLE_T load_needle = {ELEMENT_HEAD(ELEMENT_NEEDLE, 5010, 166, 171, 42, 15, nullptr, needle_failure, 0x4083),
                                TOKEN_VAR(TOKEN_LOAD_FACTOR), nullptr, g_dial, DIAL_ROWS, 0};
ELEMENT_NEEDLE_T lowest_needle = {ELEMENT_HEAD(ELEMENT_NEEDLE, 5020, 166, 171, 43, 15, nullptr, needle_failure, 0x4083),
                                  NO_VAR, lowest_shown, g_dial, DIAL_ROWS, 0};
ELEMENT_NEEDLE_T highest_needle = {ELEMENT_HEAD(ELEMENT_NEEDLE, 5020, 166, 171, 43, 15, nullptr, needle_failure, 0x4083),
                                   NO_VAR, highest_shown, g_dial, DIAL_ROWS, 0};
ELEMENT_STATIC_IMAGE_T glass = {STATIC_HEAD(5030, 0, 0, nullptr, 0x3)};
ELEMENT_HEADER* layers[] = {&load_needle.header, &lowest_needle.header, &highest_needle.header,
                            &glass.header, nullptr};
ELEMENT_STATIC_IMAGE_T face = {STATIC_HEAD(5000, 0, 0, layers, 0x4003)};

//  type                   box                 cursor       help                flags           event function
MOUSERECT accelerometer_mouse[] = {
    {MOUSE_RECT_PARENT,     {0, 0, 323, 270},  CURSOR_NONE, HELP_ACCELEROMETER, 0,              0,    nullptr},
    {MOUSE_RECT_END_PARENT, {0, 0, 0, 0},      CURSOR_NONE, 0,                  0,              0,    nullptr},
    {MOUSE_RECT_PARENT,     {0, 270, 67, 50},  CURSOR_NONE, HELP_RESET,         0,              0,    nullptr},
    {MOUSE_RECT_CHILD,      {0, 0, 67, 50},    CURSOR_HAND, 0,                  MOUSE_STEPPING, 0,    reset_memories},
    {MOUSE_RECT_END_PARENT, {0, 0, 0, 0},      CURSOR_NONE, 0,                  0,              0,    nullptr},
    {MOUSE_RECT_EOL,        {0, 0, 0, 0},      CURSOR_NONE, 0,                  0,              0,    nullptr},
};

}  // namespace

GAUGE_HEADER_320(Accelerometer, 100, &face.header, accelerometer_mouse, accelerometer_callback);
