// Attitude director indicator: pitch-and-roll ball, bank pointer, flight
// director command bars, rising runway, glide-slope and speed-error pointers,
// turn needle, inclinometer, six annunciator flags and the decision-height
// light.
#include "main_instruments/frame/gauge_tables.h"

namespace {

enum : uint32_t {
  TOKEN_FLAGS_WORD = 0x2E,          // bit 0x80: the rising runway may show
  TOKEN_ON_GROUND = 0x3C,           // exactly 1 on the ground
  TOKEN_AIRSPEED = 0x3D,            // knots
  TOKEN_INCLINOMETER = 0x45,
  TOKEN_TURN_RATE = 0x46,           // x 256
  TOKEN_PITCH = 0x4E,               // degrees
  TOKEN_BANK = 0x50,                // degrees
  TOKEN_SELECTED_SPEED = 0x74,      // knots
  TOKEN_SPEED_FLAG_CAUSE = 0x112,
  TOKEN_WARNING_CAUSE_2 = 0x114,
  TOKEN_WARNING = 0x117,            // above 0: a warning
  TOKEN_NAV_FLAG_CAUSE = 0x11D,
  TOKEN_READINESS_FLAG_CAUSE = 0x11F,
  TOKEN_WARNING_CAUSE_3 = 0x120,
  TOKEN_REFERENCE_BAR = 0x264,
  TOKEN_RADIO_ALTITUDE = 0x266,     // metres
  TOKEN_DECISION_HEIGHT = 0x267,    // metres
  TOKEN_READINESS = 0x2F3,
  TOKEN_DIRECTOR_ON = 0x318,        // on when exactly 1
  TOKEN_DIRECTOR_PITCH = 0x319,     // commanded pitch, degrees
  TOKEN_DIRECTOR_BANK = 0x31A,      // commanded bank, degrees
  TOKEN_FLAG_OVERRIDE = 0x350,
  TOKEN_LATERAL_DEVIATION = 0x351,
  TOKEN_GLIDE_SLOPE_DEVIATION = 0x352,
  TOKEN_LATERAL_VALID = 0x353,
  TOKEN_GLIDE_SLOPE_VALID = 0x354,
  HELP_ATTITUDE = 43789,
  HELP_INCLINOMETER = 43873,
  FAILURE_ATTITUDE = 8,
  FAILURE_TURN = 18,
  FAILURE_RADIO_ALTIMETER = 20,
  FAILURE_NAVIGATION = 21,
};

constexpr double BALL_PITCH_STOP = 40.0;       // degrees either way
constexpr double COMMAND_LIMIT_PX = 30.0;      // command bars, either way
constexpr double PITCH_BAR_PARKED_PX = -45.0;  // out of view with the director off
constexpr double BANK_BAR_PARKED_PX = -65.0;   // before the sign turn: +65 px
constexpr double RUNWAY_BELOW = 61.0;          // metres of radio altitude
constexpr uint32_t RUNWAY_ENABLED_BIT = 0x80;
constexpr double SPEED_ERROR_LIMIT = 20.0;     // knots
constexpr double SPEED_PROBES_FROM = 100.0;    // knots
constexpr double READY = 10.0;                 // token 0x2F3 below: not ready
constexpr double FULLY_READY = 20.0;
constexpr double LATERAL_VALID_ABOVE = 0.5;
constexpr double TURN_RATE_UNITS = 256.0;

bool is_one(double value) { return value == 1.0; }
bool not_ready() { return token_value(TOKEN_READINESS) < READY; }

// ---------------------------------------------------------------------------
// Moving parts.

double GAUGE_CALL ball_pitch(ELEMENT_HEADER* element) {
  double pitch = element_as<ELEMENT_SPRITE_T>(element).y.source_var.var_value.n;
  return limited(pitch, -BALL_PITCH_STOP, BALL_PITCH_STOP);
}

// A command bar's value: the command error within the bar's travel, or the
// parked position with the director off; both in pixels over the axis scale.
double command_value(double command, double attitude, double scale, double parked_px) {
  if (!is_one(token_value(TOKEN_DIRECTOR_ON))) return parked_px / scale;
  return limited(command - attitude, -COMMAND_LIMIT_PX / scale, COMMAND_LIMIT_PX / scale);
}

double GAUGE_CALL pitch_command(ELEMENT_HEADER* element) {
  const AXIS_SOURCE& axis = element_as<ELEMENT_SLIDER_T>(element).y;
  return command_value(axis.source_var.var_value.n, token_value(TOKEN_PITCH), axis.scale,
                       PITCH_BAR_PARKED_PX);
}

double GAUGE_CALL bank_command(ELEMENT_HEADER* element) {
  const AXIS_SOURCE& axis = element_as<ELEMENT_SLIDER_T>(element).x;
  return -command_value(axis.source_var.var_value.n, token_value(TOKEN_BANK), axis.scale,
                        BANK_BAR_PARKED_PX);
}

double GAUGE_CALL runway_height(ELEMENT_HEADER* element) {
  double height = element_as<ELEMENT_SLIDER_T>(element).y.source_var.var_value.n;
  bool shown = (token_var(TOKEN_FLAGS_WORD).d & RUNWAY_ENABLED_BIT) && radio_altimeter_power &&
               height < RUNWAY_BELOW;
  set_hidden(element, !shown);
  return height;
}

double GAUGE_CALL glide_slope_deviation(ELEMENT_HEADER* element) {
  set_hidden(element, token_value(TOKEN_GLIDE_SLOPE_VALID) == 0);
  return element_as<ELEMENT_SLIDER_T>(element).y.source_var.var_value.n;
}

double GAUGE_CALL speed_error(ELEMENT_HEADER* element) {
  double selected = element_as<ELEMENT_SLIDER_T>(element).y.source_var.var_value.n;
  double airspeed = token_value(TOKEN_AIRSPEED);
  if (selected < SPEED_PROBES_FROM || airspeed < SPEED_PROBES_FROM) return 0.0;
  return limited(selected - airspeed, -SPEED_ERROR_LIMIT, SPEED_ERROR_LIMIT);
}

double GAUGE_CALL turn_rate(ELEMENT_HEADER* element) {
  return element_as<ELEMENT_NEEDLE_T>(element).source_var.var_value.n / TURN_RATE_UNITS;
}

// The ball rides a curved tube: it rises with the square of its travel.
double GAUGE_CALL inclinometer_rise(ELEMENT_HEADER* element) {
  double ball = element_as<ELEMENT_SLIDER_T>(element).y.source_var.var_value.n;
  return ball * ball;
}

// ---------------------------------------------------------------------------
// Flags and the decision-height light.

double GAUGE_CALL warning_flag(ELEMENT_HEADER*) {
  return icon_shown_if(token_value(TOKEN_WARNING) > 0 || token_value(TOKEN_WARNING_CAUSE_2) > 0 ||
                       token_value(TOKEN_WARNING_CAUSE_3) > 0);
}

// Rule A: the lateral flag hides while the lateral signal is valid, which it
// is not with a warning, without radio altimeter power, or (unless 0x350
// overrides) with its navigation cause or before the system is ready.
double GAUGE_CALL lateral_flag(ELEMENT_HEADER* element) {
  double valid = element_as<ELEMENT_ICON_T>(element).source_var.var_value.n;
  if (token_integer(TOKEN_WARNING) != 0 || !radio_altimeter_power) valid = 0;
  if (token_value(TOKEN_FLAG_OVERRIDE) == 0 &&
      (token_integer(TOKEN_NAV_FLAG_CAUSE) != 0 || not_ready()))
    valid = 0;
  return icon_shown_if(!(valid > LATERAL_VALID_ABOVE));
}

double GAUGE_CALL speed_flag(ELEMENT_HEADER*) {
  return icon_shown_if(token_value(TOKEN_SELECTED_SPEED) < SPEED_PROBES_FROM ||
                       token_value(TOKEN_AIRSPEED) < SPEED_PROBES_FROM ||
                       token_integer(TOKEN_SPEED_FLAG_CAUSE) != 0 || is_one(token_value(TOKEN_WARNING)) ||
                       not_ready());
}

double GAUGE_CALL readiness_flag(ELEMENT_HEADER* element) {
  return icon_shown_if(element_as<ELEMENT_ICON_T>(element).source_var.var_value.n < FULLY_READY ||
                       token_integer(TOKEN_READINESS_FLAG_CAUSE) != 0);
}

// Rule B: the glide-slope flag hides while the glide slope is valid (exactly
// 1), unless a warning, its navigation cause, the override or an unready
// system forces it into view.
double GAUGE_CALL glide_slope_flag(ELEMENT_HEADER* element) {
  bool forced = is_one(token_value(TOKEN_NAV_FLAG_CAUSE)) || is_one(token_value(TOKEN_WARNING)) ||
                is_one(token_value(TOKEN_FLAG_OVERRIDE)) || not_ready();
  bool valid = is_one(element_as<ELEMENT_ICON_T>(element).source_var.var_value.n);
  return icon_shown_if(forced || !valid);
}

double GAUGE_CALL decision_height_light(ELEMENT_HEADER* element) {
  double height = element_as<ELEMENT_ICON_T>(element).source_var.var_value.n;
  return icon_shown_if(height <= token_value(TOKEN_DECISION_HEIGHT) &&
                       !is_one(token_value(TOKEN_ON_GROUND)));
}

// ---------------------------------------------------------------------------
// Tables.

// Bank -90 points right of the pivot, +90 left: level wings point down.
//                       point       degrees angle
SCALE_POINT bank_dial[] = {{{175, 173}, -90, 0},
                           {{155, 173}, 90,  0}};
// Stops at 4.5 either way (each end row repeats its neighbour's point).
//                       point       rate x 1/256  angle
SCALE_POINT turn_dial[] = {{{132, 290}, -5,   0},
                           {{132, 290}, -4.5, 0},
                           {{198, 290}, 4.5,  0},
                           {{198, 290}, 5,    0}};

const FAILURE_RECORD attitude_failure[] = {{FAILURE_ATTITUDE, FAIL_ACTION_NONE}, {0, 0}};
const FAILURE_RECORD freeze_on_turn_failure[] = {{FAILURE_TURN, FAIL_ACTION_FREEZE}, {0, 0}};
const FAILURE_RECORD hide_on_nav_failure[] = {{FAILURE_NAVIGATION, FAIL_ACTION_NO_DRAW}, {0, 0}};
const FAILURE_RECORD hide_on_radio_altimeter_failure[] = {
    {FAILURE_RADIO_ALTIMETER, FAIL_ACTION_NO_DRAW}, {0, 0}};

#define AXIS(TOKEN, CALLBACK, SCALE) {TOKEN_VAR(TOKEN), CALLBACK, SCALE}
#define SLIDER(NAME, BITMAP, X, Y, FAILURE, FLAGS, X_AXIS, Y_AXIS) \
  ELEMENT_SLIDER_T NAME = {                                        \
      ELEMENT_HEAD(ELEMENT_SLIDER, BITMAP, X, Y, 0, 0, nullptr, FAILURE, FLAGS), X_AXIS, Y_AXIS}
#define FLAG(NAME, BITMAP, X, Y, FAILURE, FLAGS, TOKEN, CALLBACK) \
  ELEMENT_ICON_T NAME = {                                         \
      ELEMENT_HEAD(ELEMENT_ICON, BITMAP, X, Y, 0, 0, nullptr, FAILURE, FLAGS), TOKEN_VAR(TOKEN), CALLBACK, 1}

// Layers over the face, in drawing order.
ELEMENT_SPRITE_T ball = {
    ELEMENT_HEAD(ELEMENT_SPRITE, 3190, 40, 60, 0, 0, nullptr, attitude_failure, 0x4083),
    {165, 173},
    NO_AXIS,
    AXIS(TOKEN_PITCH, ball_pitch, 4.0),
    AXIS(TOKEN_BANK, nullptr, -1.0),
    1.0,
    0.7};
//     name                 bitmap x    y    failure              flags   horizontal axis                                            vertical axis
SLIDER(pitch_bar,           3130,  105, 169, nullptr,             0x4083, NO_AXIS,                                                   AXIS(TOKEN_DIRECTOR_PITCH, pitch_command, 3.0));
SLIDER(bank_bar,            3120,  142, 51,  nullptr,             0x4083, AXIS(TOKEN_DIRECTOR_BANK, bank_command, 2.0),             NO_AXIS);
ELEMENT_STATIC_IMAGE_T lower_cover = {STATIC_HEAD(3180, 65, 225, nullptr, 0x4003)};
ELEMENT_STATIC_IMAGE_T ring_cover = {STATIC_HEAD(3170, 20, 20, nullptr, 0x4003)};
SLIDER(rising_runway,       3140,  121, 172, hide_on_nav_failure, 0x4083, AXIS(TOKEN_LATERAL_DEVIATION, nullptr, 43.0),            AXIS(TOKEN_RADIO_ALTITUDE, runway_height, 0.9836065573770492));
ELEMENT_NEEDLE_T bank_pointer = {
    ELEMENT_HEAD(ELEMENT_NEEDLE, 3160, 165, 173, 108, 109, nullptr, attitude_failure, 0x4083),
    TOKEN_VAR(TOKEN_BANK), nullptr, bank_dial, 2, 0};
SLIDER(reference_bar,           3150,  50,  170, nullptr,             0x4003, NO_AXIS,                                                   AXIS(TOKEN_REFERENCE_BAR, nullptr, -0.2));
ELEMENT_NEEDLE_T turn_needle = {
    ELEMENT_HEAD(ELEMENT_NEEDLE, 3110, 165, 323, 0, 5, nullptr, freeze_on_turn_failure, 0x4083),
    TOKEN_VAR(TOKEN_TURN_RATE), turn_rate, turn_dial, 4, 0};
SLIDER(glide_slope_pointer, 3100,  27,  165, hide_on_nav_failure, 0x4083, NO_AXIS,                                                   AXIS(TOKEN_GLIDE_SLOPE_DEVIATION, glide_slope_deviation, 40.0));
SLIDER(speed_pointer,       3090,  282, 164, attitude_failure,    0x4083, NO_AXIS,                                                   AXIS(TOKEN_SELECTED_SPEED, speed_error, 2.2));
//   name                   bitmap x    y    failure  flags   token                    callback
FLAG(warning_annunciator,   3060,  56,  163, nullptr, 0x4083, 0,                       warning_flag);
FLAG(lateral_annunciator,   3040,  160, 229, nullptr, 0x4083, TOKEN_LATERAL_VALID,     lateral_flag);
FLAG(speed_annunciator,     3070,  277, 129, nullptr, 0x4003, 0,                       speed_flag);
FLAG(readiness_annunciator,      3030,  98,  251, nullptr, 0x4003, TOKEN_READINESS,         readiness_flag);
FLAG(glide_annunciator,     3050,  25,  127, nullptr, 0x4083, TOKEN_GLIDE_SLOPE_VALID, glide_slope_flag);
ELEMENT_STATIC_IMAGE_T bezel = {STATIC_HEAD(3020, 0, 0, nullptr, 0x3)};
FLAG(decision_light,        3210,  1,   42,  hide_on_radio_altimeter_failure, 0x7, TOKEN_RADIO_ALTITUDE, decision_height_light);
//     name                 bitmap x    y    failure              flags   horizontal axis                                            vertical axis
SLIDER(inclinometer_ball,   3010,  160, 303, nullptr,             0x4083, AXIS(TOKEN_INCLINOMETER, nullptr, 0.265625),              AXIS(TOKEN_INCLINOMETER, inclinometer_rise, -0.00018310546875));
ELEMENT_STATIC_IMAGE_T inclinometer_tube = {STATIC_HEAD(3000, 126, 298, nullptr, 0x3)};

ELEMENT_HEADER* layers[] = {
    &ball.header,                &pitch_bar.header,           &bank_bar.header,
    &lower_cover.header,           &ring_cover.header,        &rising_runway.header,
    &bank_pointer.header,        &reference_bar.header,           &turn_needle.header,
    &glide_slope_pointer.header, &speed_pointer.header,       &warning_annunciator.header,
    &lateral_annunciator.header, &speed_annunciator.header,   &readiness_annunciator.header,
    &glide_annunciator.header,   &bezel.header,               &decision_light.header,
    &inclinometer_ball.header,   &inclinometer_tube.header,   nullptr};
ELEMENT_STATIC_IMAGE_T face = {STATIC_HEAD(3200, 0, 0, layers, 0x4003)};

//  type                   box                  cursor       help               flags event function
MOUSERECT attitude_mouse[] = {
    {MOUSE_RECT_PARENT,     {0, 0, 0, 0},        CURSOR_NONE, HELP_ATTITUDE,     0,    0,    nullptr},
    {MOUSE_RECT_CHILD,      {126, 298, 78, 23},  CURSOR_NONE, HELP_INCLINOMETER, 0,    0,    nullptr},
    {MOUSE_RECT_END_PARENT, {0, 0, 0, 0},        CURSOR_NONE, 0,                 0,    0,    nullptr},
    {MOUSE_RECT_EOL,        {0, 0, 0, 0},        CURSOR_NONE, 0,                 0,    0,    nullptr},
};

}  // namespace

GAUGE_HEADER_320(Attitude, 100, &face.header, attitude_mouse, nullptr);
