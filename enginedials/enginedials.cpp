// Engine dials: N1, N2 and EGT for four engines, each a needle over its scale
// with a counter of icon digits; the N1 dials add a throttle pointer and a
// reference bug set by a knob. The four dials of a kind differ only in their
// tokens and, for N1, in the engine whose bug they use.
#include "host/module_records.h"
#include "host/element_routines.h"
#include "host/table_shapes.h"

namespace {

enum { ENGINES = 4 };
enum : uint32_t { BUG_MAX = 110, KNOB_FRAMES = 16 };
enum : int32_t { BLANK = 10 };  // the digit picture showing nothing

// Per engine: the N1 reference bug in percent and the knob picture showing.
uint32_t n1_bug[ENGINES] = {0, 0, 0, 0};
uint32_t knob_frame[ENGINES] = {0, 0, 0, 0};

// Counter digits of the dial being updated: its first digit element splits the
// value, the next ones read the parts (the host updates a dial's chain in order).
int32_t tenths = 0, units = 0, tens = 0, hundreds_pic = BLANK;
int32_t egt_units = 0, egt_tens = 0, egt_hundreds = 0, thousands_pic = BLANK;

// A value below lo, or not a number, shows lo.
double clamp(double v, double lo, double hi) {
  if (!(v > lo)) return lo;
  return v > hi ? hi : v;
}

// Whole part of a non-negative value as a counter sees it; beyond 32 bits the
// counter saturates.
uint32_t counter_whole(double v) {
  if (!(v > 0)) return 0;
  return v >= 4294967295.0 ? 4294967295u : static_cast<uint32_t>(v);
}

double celsius_of_rankine(double rankine) { return (rankine - 459.67 - 32) * 0.5555555555555556; }

double icon_value(ELEMENT_HEADER* element) {
  return reinterpret_cast<ELEMENT_ICON_T*>(element)->source_var.var_value.n;
}

double needle_value(ELEMENT_HEADER* element) {
  return reinterpret_cast<ELEMENT_NEEDLE_T*>(element)->source_var.var_value.n;
}

// N1 and N2 counters: percent to tenths, rounded half up; the hundreds place
// shows 1 from 99.95 on.
double GAUGE_CALL n_digits(ELEMENT_HEADER* element) {
  double v = icon_value(element);
  uint32_t a = counter_whole(v * 100);
  if (a % 10 >= 5) a += 10;
  tenths = int32_t(a / 10 % 10);
  units = int32_t(a / 100 % 10);
  tens = int32_t(a / 1000 % 10);
  hundreds_pic = v >= 99.95 ? 1 : BLANK;
  return tenths;
}
double GAUGE_CALL n_units(ELEMENT_HEADER*) { return units; }
double GAUGE_CALL n_tens(ELEMENT_HEADER*) { return hundreds_pic == 1 || tens != 0 ? tens : BLANK; }
double GAUGE_CALL n_hundreds(ELEMENT_HEADER*) { return hundreds_pic; }

// EGT counter: whole degrees Celsius, rounded half up; at 0 or below one 0.
double GAUGE_CALL egt_digits(ELEMENT_HEADER* element) {
  double c = celsius_of_rankine(icon_value(element));
  uint32_t n = counter_whole(c);
  if (c - n >= 0.5) ++n;
  egt_units = int32_t(n % 10);
  egt_tens = int32_t(n / 10 % 10);
  egt_hundreds = int32_t(n / 100 % 10);
  thousands_pic = n >= 1000 ? 1 : BLANK;
  return egt_units;
}
double GAUGE_CALL egt_tens_digit(ELEMENT_HEADER*) {
  return thousands_pic == 1 || egt_hundreds != 0 || egt_tens != 0 ? egt_tens : BLANK;
}
double GAUGE_CALL egt_hundreds_digit(ELEMENT_HEADER*) {
  return thousands_pic == 1 || egt_hundreds != 0 ? egt_hundreds : BLANK;
}
double GAUGE_CALL egt_thousands(ELEMENT_HEADER*) { return thousands_pic; }

double GAUGE_CALL n_needle(ELEMENT_HEADER* element) { return clamp(needle_value(element), 0, 110); }
double GAUGE_CALL lever_needle(ELEMENT_HEADER* element) {
  return clamp(needle_value(element), 0, 15360);
}
double GAUGE_CALL egt_needle(ELEMENT_HEADER* element) {
  return clamp(celsius_of_rankine(needle_value(element)), 0, 1000);
}

// The bug's callbacks and knob areas, one set per engine.
template <int ENGINE>
double GAUGE_CALL bug_needle(ELEMENT_HEADER*) { return n1_bug[ENGINE]; }
template <int ENGINE>
double GAUGE_CALL bug_knob(ELEMENT_HEADER*) { return knob_frame[ENGINE]; }
template <int ENGINE, uint32_t PLACE>
double GAUGE_CALL bug_drum(ELEMENT_HEADER*) { return n1_bug[ENGINE] / PLACE % 10; }
double GAUGE_CALL drum_column(ELEMENT_HEADER*) { return 1; }

template <int ENGINE>
int32_t GAUGE_CALL bug_down(MOUSE_POINT*, uint32_t) {
  if (n1_bug[ENGINE] > 0) {
    --n1_bug[ENGINE];
    knob_frame[ENGINE] = (knob_frame[ENGINE] + KNOB_FRAMES - 1) % KNOB_FRAMES;
  }
  return 1;
}
template <int ENGINE>
int32_t GAUGE_CALL bug_up(MOUSE_POINT*, uint32_t) {
  if (n1_bug[ENGINE] < BUG_MAX) {
    ++n1_bug[ENGINE];
    knob_frame[ENGINE] = (knob_frame[ENGINE] + 1) % KNOB_FRAMES;
  }
  return 1;
}

//                                        key  action
const FAILURE_RECORD digit_failures[] = {{20, FAIL_ACTION_NO_DRAW},
                                         {21, FAIL_ACTION_FREEZE},
                                         {2, FAIL_ACTION_ZERO},
                                         {0, 0}};
const FAILURE_RECORD needle_failures[] = {{20, FAIL_ACTION_ZERO},
                                          {21, FAIL_ACTION_FREEZE},
                                          {2, FAIL_ACTION_ZERO},
                                          {0, 0}};

// Value-to-point tables; the host writes each row's angle at install. Needles
// sharing a table share its pivot.
//                      point        value
SCALE_POINT n1_scale[] = {{{49, 182}, 0, 0},    {{43, 147}, 10, 0},  {{49, 113}, 20, 0},
                          {{67, 82}, 30, 0},    {{94, 59}, 40, 0},   {{128, 48}, 50, 0},
                          {{164, 48}, 60, 0},   {{197, 60}, 70, 0},  {{224, 82}, 80, 0},
                          {{243, 113}, 90, 0},  {{247, 148}, 100, 0}, {{241, 183}, 110, 0}};
// The throttle lever on the N1 scale: 1449.984 at the 30 % mark, 15360 at 110 %.
SCALE_POINT lever_scale[] = {
    {{56, 101}, 0, 0},          {{57, 100}, 63.8976, 0},    {{58, 97}, 296.223, 0},
    {{60, 94}, 536.9856, 0},    {{62, 91}, 768.41, 0},      {{64, 88}, 1000.7675, 0},
    {{65, 85}, 1239.6544, 0},   {{67, 82}, 1449.984, 0},    {{80, 70}, 2190.8621, 0},
    {{94, 59}, 2944.205, 0},    {{111, 53}, 3683.0602, 0},  {{128, 48}, 4430.4428, 0},
    {{146, 46}, 5231.7893, 0},  {{164, 48}, 6032.2133, 0},  {{181, 52}, 6817.1042, 0},
    {{197, 61}, 7789.0205, 0},  {{212, 70}, 8591.36, 0},    {{224, 82}, 9329.0181, 0},
    {{235, 98}, 10048.307, 0},  {{243, 113}, 10739.0052, 0}, {{246, 130}, 11776.819, 0},
    {{247, 148}, 12992.512, 0}, {{246, 165}, 14080.41, 0},  {{241, 183}, 15360, 0},
    {{235, 195}, 16384, 0}};
SCALE_POINT n2_scale[] = {{{22, 185}, 0, 0},   {{14, 141}, 10, 0},   {{22, 99}, 20, 0},
                          {{43, 60}, 30, 0},   {{77, 31}, 40, 0},    {{119, 16}, 50, 0},
                          {{162, 16}, 60, 0},  {{204, 31}, 70, 0},   {{238, 59}, 80, 0},
                          {{259, 98}, 90, 0},  {{267, 141}, 100, 0}, {{259, 183}, 110, 0}};
// Degrees Celsius.
SCALE_POINT egt_scale[] = {{{21, 183}, 0, 0},    {{13, 136}, 100, 0}, {{23, 91}, 200, 0},
                           {{49, 51}, 300, 0},   {{90, 24}, 400, 0},  {{139, 14}, 500, 0},
                           {{187, 24}, 600, 0},  {{227, 53}, 700, 0}, {{253, 93}, 800, 0},
                           {{262, 139}, 900, 0}, {{253, 183}, 1000, 0}};

#define ROWS(TABLE) uint32_t(sizeof(TABLE) / sizeof((TABLE)[0]))
// Makes an element the single child of the one before it.
#define CHILD(NAME, ELEMENT_RECORD) ELEMENT_HEADER* NAME[] = {&(ELEMENT_RECORD).header, nullptr}
#define STATIC(NAME, BITMAP, X, Y, CHILD, FAILURES, FLAGS)                            \
  ELEMENT_STATIC_IMAGE_T NAME = {                                                     \
      ELEMENT_HEAD(ELEMENT_STATIC_IMAGE, BITMAP, X, Y, 0, 0, CHILD, FAILURES, FLAGS)}
#define DIGIT(NAME, BITMAP, X, Y, CHILD, TOKEN, CALLBACK)                                            \
  ELEMENT_ICON_T NAME = {ELEMENT_HEAD(ELEMENT_ICON, BITMAP, X, Y, 0, 0, CHILD, digit_failures, 0x7), \
                         TOKEN_VAR(TOKEN), CALLBACK, 11}
#define NEEDLE(NAME, BITMAP, HUB_X, HUB_Y, CHILD, FAILURES, TOKEN, CALLBACK, SCALE, STEP, PIVOT)      \
  ELEMENT_NEEDLE_T NAME = {ELEMENT_HEAD(ELEMENT_NEEDLE, BITMAP, PIVOT, HUB_X, HUB_Y, CHILD, FAILURES, \
                                       0x4083),                                                       \
                           TOKEN_VAR(TOKEN), CALLBACK, SCALE, ROWS(SCALE), STEP}
// A bug drum strip: one column, the digit of its place on the vertical axis.
#define DRUM(NAME, BITMAP, X, CHILD, ENGINE, PLACE, TOP)                               \
  ELEMENT_MOVING_IMAGE_T NAME = {                                                      \
      ELEMENT_HEAD(ELEMENT_MOVING_IMAGE, BITMAP, X, 81, 0, 0, CHILD, nullptr, 0x4003), \
      {{NO_VAR, drum_column, 0}, 0, 0},                                                \
      {{NO_VAR, bug_drum<ENGINE, PLACE>, 0}, 0, TOP}}

#define N1_PIVOT 145, 145
#define N2_PIVOT 140, 140
#define EGT_PIVOT 138, 137

// One N1 dial, drawn from the background up to the N1 needle.
#define N1_DIAL(NUMBER, N1, LEVER)                                                               \
  NEEDLE(n1_##NUMBER##_needle, 1020, 21, 10, nullptr, needle_failures, N1, n_needle, n1_scale,   \
         6, N1_PIVOT);                                                                           \
  CHILD(n1_##NUMBER##_over_lever, n1_##NUMBER##_needle);                                         \
  NEEDLE(n1_##NUMBER##_lever, 1030, 21, 10, n1_##NUMBER##_over_lever, needle_failures, LEVER,    \
         lever_needle, lever_scale, 6, N1_PIVOT);                                                \
  CHILD(n1_##NUMBER##_over_bug, n1_##NUMBER##_lever);                                            \
  NEEDLE(n1_##NUMBER##_bug, 1040, 8, 16, n1_##NUMBER##_over_bug, nullptr, 0,                     \
         bug_needle<NUMBER - 1>, n1_scale, 6, N1_PIVOT);                                         \
  CHILD(n1_##NUMBER##_over_knob, n1_##NUMBER##_bug);                                             \
  ELEMENT_ICON_T n1_##NUMBER##_knob = {                                                          \
      ELEMENT_HEAD(ELEMENT_ICON, 1050, 236, 1, 0, 0, n1_##NUMBER##_over_knob, needle_failures,   \
                   0x3),                                                                         \
      NO_VAR, bug_knob<NUMBER - 1>, KNOB_FRAMES};                                                \
  CHILD(n1_##NUMBER##_over_hundreds_drum, n1_##NUMBER##_knob);                                   \
  DRUM(n1_##NUMBER##_hundreds_drum, 1100, 117, n1_##NUMBER##_over_hundreds_drum, NUMBER - 1,     \
       100, 1);                                                                                  \
  CHILD(n1_##NUMBER##_over_tens_drum, n1_##NUMBER##_hundreds_drum);                              \
  DRUM(n1_##NUMBER##_tens_drum, 1110, 134, n1_##NUMBER##_over_tens_drum, NUMBER - 1, 10, 10);    \
  CHILD(n1_##NUMBER##_over_units_drum, n1_##NUMBER##_tens_drum);                                 \
  DRUM(n1_##NUMBER##_units_drum, 1120, 151, n1_##NUMBER##_over_units_drum, NUMBER - 1, 1, 10);   \
  CHILD(n1_##NUMBER##_over_hundreds, n1_##NUMBER##_units_drum);                                  \
  DIGIT(n1_##NUMBER##_hundreds, 2000, 96, 196, n1_##NUMBER##_over_hundreds, 0, n_hundreds);      \
  CHILD(n1_##NUMBER##_over_tens, n1_##NUMBER##_hundreds);                                        \
  DIGIT(n1_##NUMBER##_tens, 2000, 118, 196, n1_##NUMBER##_over_tens, 0, n_tens);                 \
  CHILD(n1_##NUMBER##_over_units, n1_##NUMBER##_tens);                                           \
  DIGIT(n1_##NUMBER##_units, 2000, 140, 196, n1_##NUMBER##_over_units, 0, n_units);              \
  CHILD(n1_##NUMBER##_over_tenths, n1_##NUMBER##_units);                                         \
  DIGIT(n1_##NUMBER##_tenths, 2000, 170, 196, n1_##NUMBER##_over_tenths, N1, n_digits);          \
  CHILD(n1_##NUMBER##_over_point, n1_##NUMBER##_tenths);                                         \
  STATIC(n1_##NUMBER##_point, 2100, 162, 222, n1_##NUMBER##_over_point, digit_failures, 0x7);    \
  CHILD(n1_##NUMBER##_over_face, n1_##NUMBER##_point);                                           \
  STATIC(n1_##NUMBER##_face, 1010, 40, 44, n1_##NUMBER##_over_face, nullptr, 0x4001);            \
  CHILD(n1_##NUMBER##_over_background, n1_##NUMBER##_face);                                      \
  STATIC(n1_##NUMBER##_background, 1000, 0, 0, n1_##NUMBER##_over_background, nullptr, 0x11);    \
  MOUSERECT n1_##NUMBER##_mouse[] = {                                                            \
      /*           box              help */                                                      \
      MOUSE_PARENT(0, 0, 289, 282,  43809),                                                      \
      /* children: box, cursor, help, flags, event, function */                                  \
      MOUSE_CHILD(236, 1, 22, 45, CURSOR_DOWNARROW, 0, MOUSE_STEPPING, 0, bug_down<NUMBER - 1>), \
      MOUSE_CHILD(259, 1, 22, 45, CURSOR_UPARROW,   0, MOUSE_STEPPING, 0, bug_up<NUMBER - 1>),   \
      MOUSE_END_PARENT,                                                                          \
      MOUSE_END_LIST,                                                                            \
  }

#define N2_DIAL(NUMBER, N2)                                                                    \
  NEEDLE(n2_##NUMBER##_needle, 1220, 19, 19, nullptr, needle_failures, N2, n_needle, n2_scale, \
         6, N2_PIVOT);                                                                         \
  CHILD(n2_##NUMBER##_over_hundreds, n2_##NUMBER##_needle);                                    \
  DIGIT(n2_##NUMBER##_hundreds, 2200, 83, 194, n2_##NUMBER##_over_hundreds, 0, n_hundreds);    \
  CHILD(n2_##NUMBER##_over_tens, n2_##NUMBER##_hundreds);                                      \
  DIGIT(n2_##NUMBER##_tens, 2200, 108, 194, n2_##NUMBER##_over_tens, 0, n_tens);               \
  CHILD(n2_##NUMBER##_over_units, n2_##NUMBER##_tens);                                         \
  DIGIT(n2_##NUMBER##_units, 2200, 133, 194, n2_##NUMBER##_over_units, 0, n_units);            \
  CHILD(n2_##NUMBER##_over_tenths, n2_##NUMBER##_units);                                       \
  DIGIT(n2_##NUMBER##_tenths, 2200, 165, 194, n2_##NUMBER##_over_tenths, N2, n_digits);        \
  CHILD(n2_##NUMBER##_over_point, n2_##NUMBER##_tenths);                                       \
  STATIC(n2_##NUMBER##_point, 2300, 158, 225, n2_##NUMBER##_over_point, digit_failures, 0x7);  \
  CHILD(n2_##NUMBER##_over_face, n2_##NUMBER##_point);                                         \
  STATIC(n2_##NUMBER##_face, 1210, 14, 14, n2_##NUMBER##_over_face, nullptr, 0x4001);          \
  CHILD(n2_##NUMBER##_over_background, n2_##NUMBER##_face);                                    \
  STATIC(n2_##NUMBER##_background, 1200, 0, 0, n2_##NUMBER##_over_background, nullptr, 0x11)

#define EGT_DIAL(NUMBER, EGT)                                                                     \
  NEEDLE(egt_##NUMBER##_needle, 120, 6, 8, nullptr, needle_failures, EGT, egt_needle, egt_scale, \
         9, EGT_PIVOT);                                                                           \
  CHILD(egt_##NUMBER##_over_thousands, egt_##NUMBER##_needle);                                    \
  DIGIT(egt_##NUMBER##_thousands, 2200, 80, 192, egt_##NUMBER##_over_thousands, 0, egt_thousands); \
  CHILD(egt_##NUMBER##_over_hundreds, egt_##NUMBER##_thousands);                                  \
  DIGIT(egt_##NUMBER##_hundreds, 2200, 107, 192, egt_##NUMBER##_over_hundreds, 0,                 \
        egt_hundreds_digit);                                                                      \
  CHILD(egt_##NUMBER##_over_tens, egt_##NUMBER##_hundreds);                                       \
  DIGIT(egt_##NUMBER##_tens, 2200, 134, 192, egt_##NUMBER##_over_tens, 0, egt_tens_digit);        \
  CHILD(egt_##NUMBER##_over_units, egt_##NUMBER##_tens);                                          \
  DIGIT(egt_##NUMBER##_units, 2200, 161, 192, egt_##NUMBER##_over_units, EGT, egt_digits);        \
  CHILD(egt_##NUMBER##_over_face, egt_##NUMBER##_units);                                          \
  STATIC(egt_##NUMBER##_face, 110, 12, 13, egt_##NUMBER##_over_face, nullptr, 0x4001);            \
  CHILD(egt_##NUMBER##_over_background, egt_##NUMBER##_face);                                     \
  STATIC(egt_##NUMBER##_background, 100, 0, 0, egt_##NUMBER##_over_background, nullptr, 0x1)

//      dial  N1   lever
N1_DIAL(1,    624, 128);
N1_DIAL(2,    643, 163);
N1_DIAL(3,    662, 198);
N1_DIAL(4,    681, 233);

//      dial  N2
N2_DIAL(1,    625);
N2_DIAL(2,    644);
N2_DIAL(3,    663);
N2_DIAL(4,    682);

//       dial  EGT (degrees Rankine)
EGT_DIAL(1,    567);
EGT_DIAL(2,    577);
EGT_DIAL(3,    587);
EGT_DIAL(4,    597);

// The N2 and EGT dials carry only their tooltip; the host copies the list for
// each placement.
MOUSERECT n2_mouse[] = {
    //           box               help
    MOUSE_PARENT(0, 0, 281, 281,   43810),
    MOUSE_END_PARENT,
    MOUSE_END_LIST,
};
MOUSERECT egt_mouse[] = {
    MOUSE_PARENT(0, 0, 274, 274,   43805),
    MOUSE_END_PARENT,
    MOUSE_END_LIST,
};

// Every dial names the same routines, which hand over N1_1's elements; the
// host handles 0x320 elements itself and does not call them.
ELEMENT_ROUTINES(dial, &n1_1_background.header)

#define DIAL_GAUGE(NAME, SIZE_MM, BACKGROUND, MOUSE)                                         \
  GAUGEHDR gauge_##NAME = {GAUGE_HEADER_VERSION_320, #NAME, &BACKGROUND.header,              \
                           ELEMENT_ROUTINE_NAMES(dial), SIZE_MM, MOUSE, nullptr, 0, nullptr}

//         gauge  mm   background          mouse
DIAL_GAUGE(N1_1,  289, n1_1_background,    n1_1_mouse);
DIAL_GAUGE(N1_2,  289, n1_2_background,    n1_2_mouse);
DIAL_GAUGE(N1_3,  289, n1_3_background,    n1_3_mouse);
DIAL_GAUGE(N1_4,  289, n1_4_background,    n1_4_mouse);
DIAL_GAUGE(N2_1,  282, n2_1_background,    n2_mouse);
DIAL_GAUGE(N2_2,  282, n2_2_background,    n2_mouse);
DIAL_GAUGE(N2_3,  282, n2_3_background,    n2_mouse);
DIAL_GAUGE(N2_4,  282, n2_4_background,    n2_mouse);
DIAL_GAUGE(EGT_1, 275, egt_1_background,   egt_mouse);
DIAL_GAUGE(EGT_2, 275, egt_2_background,   egt_mouse);
DIAL_GAUGE(EGT_3, 275, egt_3_background,   egt_mouse);
DIAL_GAUGE(EGT_4, 275, egt_4_background,   egt_mouse);

}  // namespace

MODULE_RECORDS(0x800, 12,
               &gauge_N1_1, &gauge_N1_2, &gauge_N1_3, &gauge_N1_4,
               &gauge_N2_1, &gauge_N2_2, &gauge_N2_3, &gauge_N2_4,
               &gauge_EGT_1, &gauge_EGT_2, &gauge_EGT_3, &gauge_EGT_4)
