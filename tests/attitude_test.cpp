// The attitude director indicator: ball, command bars, rising runway,
// pointers, needles, annunciator flags and the decision-height light.
#include <functional>

#include "tests/needle_geometry.h"
#include "tests/support.h"

using needle_geometry::bearing;
using needle_geometry::between;
using panelbench::ElementState;
using panelbench::Placement;

namespace {

enum : uint32_t {
  FLAGS_WORD = 0x2E,
  ON_GROUND = 0x3C,
  AIRSPEED = 0x3D,
  INCLINOMETER = 0x45,
  TURN_RATE = 0x46,
  PITCH = 0x4E,
  BANK = 0x50,
  SELECTED_SPEED = 0x74,
  RADIO_ALTITUDE = 0x266,
  DECISION_HEIGHT = 0x267,
  DIRECTOR_ON = 0x318,
  DIRECTOR_PITCH = 0x319,
  DIRECTOR_BANK = 0x31A,
  LATERAL_DEVIATION = 0x351,
  GLIDE_SLOPE_DEVIATION = 0x352,
  LATERAL_VALID = 0x353,
  GLIDE_SLOPE_VALID = 0x354,
};

enum : uint32_t {
  BALL = 3190,
  PITCH_BAR = 3130,
  BANK_BAR = 3120,
  RUNWAY = 3140,
  BANK_POINTER = 3160,
  TURN_NEEDLE = 3110,
  GLIDE_SLOPE_POINTER = 3100,
  SPEED_POINTER = 3090,
  WARNING_FLAG = 3060,
  LATERAL_FLAG = 3040,
  SPEED_FLAG = 3070,
  READINESS_FLAG = 3030,
  GLIDE_SLOPE_FLAG = 3050,
  DECISION_LIGHT = 3210,
  INCLINOMETER_BALL = 3010,
};

class Attitude : public testing_support::ModuleTest {
 protected:
  Attitude() : ModuleTest("Tarnel_Instr"), adi_(host_.add(module_, "Attitude")) {}

  // The radio altimeter's power button is the module-wide power switch.
  void radio_altimeter_power_on() {
    Placement& radio_altimeter = host_.add(module_, "Radio_Altimeter");
    ASSERT_TRUE(host_.click(radio_altimeter, 260, 30));
  }
  ElementState& shows(uint32_t bitmap) {
    host_.frame();
    return adi_.element_by_bitmap(bitmap);
  }
  Placement& adi_;
};

TEST_F(Attitude, ElementsInDrawingOrder) {
  const uint32_t order[] = {3200, BALL, PITCH_BAR, BANK_BAR, 3180, 3170, RUNWAY, BANK_POINTER,
                            3150, TURN_NEEDLE, GLIDE_SLOPE_POINTER, SPEED_POINTER, WARNING_FLAG,
                            LATERAL_FLAG, SPEED_FLAG, READINESS_FLAG, GLIDE_SLOPE_FLAG, 3020,
                            DECISION_LIGHT, INCLINOMETER_BALL, 3000};
  host_.frame();
  ASSERT_EQ(adi_.elements().size(), std::size(order));
  for (size_t i = 0; i < std::size(order); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(adi_.element(i).element->resource_id, order[i]);
  }
  EXPECT_EQ(host_.tooltip_at(adi_, 150, 100), 43789u);
  EXPECT_EQ(host_.tooltip_at(adi_, 130, 300), 43873u);
}

TEST_F(Attitude, BallStopsAtFortyDegreesAndRollsWithTheBank) {
  struct Case {
    double pitch, bank, offset_y, rotation;
    const char* why;
  } cases[] = {{10, 0, 40, 0, "4 px per degree"},
               {55, 30, 160, -30, "pitch 55 rests at the 40 degree stop"},
               {-55, -20, -160, 20, "and at -40 below"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(PITCH, c.pitch);
    host_.set(BANK, c.bank);
    ElementState& ball = shows(BALL);
    EXPECT_DOUBLE_EQ(ball.offset_y, c.offset_y);
    EXPECT_DOUBLE_EQ(ball.rotation, c.rotation);
  }
}

TEST_F(Attitude, CommandBars) {
  struct Case {
    double director, pitch, command_pitch, bank, command_bank, pitch_px, bank_px;
    const char* why;
  } cases[] = {
      {0, 5, 10, 0, 10, -45, 65, "director off: both bars park"},
      {2, 5, 10, 0, 10, -45, 65, "only exactly 1 means on"},
      {1, 2, 22, 0, 0, 30, 0, "20 degrees above moves the bar 30 px (its limit), not 60"},
      {1, 5, 10, 0, 0, 15, 0, "5 degrees above: 15 px"},
      {1, 10, -20, 0, 0, -30, 0, "far below: -30 px"},
      {1, 0, 0, 0, 10, 0, -20, "bank command 10 right: 20 px the other way"},
      {1, 0, 0, 10, -30, 0, 30, "bank command far left: limited to 30 px"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(DIRECTOR_ON, c.director);
    host_.set(PITCH, c.pitch);
    host_.set(DIRECTOR_PITCH, c.command_pitch);
    host_.set(BANK, c.bank);
    host_.set(DIRECTOR_BANK, c.command_bank);
    EXPECT_DOUBLE_EQ(shows(PITCH_BAR).offset_y, c.pitch_px);
    EXPECT_DOUBLE_EQ(shows(BANK_BAR).offset_x, c.bank_px);
    EXPECT_EQ(shows(PITCH_BAR).offset_x, 0);
    EXPECT_EQ(shows(BANK_BAR).offset_y, 0);
  }
}

TEST_F(Attitude, RisingRunwayNeedsLowHeightPowerAndTheFlagBit) {
  struct Case {
    int32_t flags_word;
    bool power;
    double height;
    bool visible;
    const char* why;
  } cases[] = {
      {0x80, true, 60, true, "all three conditions"},
      {0x81, true, 0, true, "other bits do not matter"},
      {0x80, true, 61, false, "61 m is not below 61"},
      {0x7F, true, 30, false, "bit 0x80 clear"},
      {0x80, false, 30, false, "radio altimeter off"},
      {0x80, true, 30, true, "and on again"},
  };
  Placement& radio_altimeter = host_.add(module_, "Radio_Altimeter");
  bool power = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    if (c.power != power) {
      ASSERT_TRUE(host_.click(radio_altimeter, 260, 30));
    }
    power = c.power;
    host_.set_int(FLAGS_WORD, c.flags_word);
    host_.set(RADIO_ALTITUDE, c.height);
    host_.set(LATERAL_DEVIATION, 0.5);
    ElementState& runway = shows(RUNWAY);
    EXPECT_EQ(runway.visible, c.visible);
    EXPECT_DOUBLE_EQ(runway.offset_x, 0.5 * 43.0);
    EXPECT_DOUBLE_EQ(runway.offset_y, c.height * 0.9836065573770492);
  }
}

TEST_F(Attitude, GlideSlopeAndSpeedErrorPointers) {
  host_.set(GLIDE_SLOPE_DEVIATION, -0.5);
  host_.set(GLIDE_SLOPE_VALID, 0);
  EXPECT_FALSE(shows(GLIDE_SLOPE_POINTER).visible) << "hidden while 0x354 is 0";
  host_.set(GLIDE_SLOPE_VALID, 0.2);
  EXPECT_TRUE(shows(GLIDE_SLOPE_POINTER).visible);
  EXPECT_DOUBLE_EQ(shows(GLIDE_SLOPE_POINTER).offset_y, -20);

  struct Case {
    double selected, airspeed, offset_y;
    const char* why;
  } cases[] = {{160, 150, 10 * 2.2, "10 kt slow"},
               {150, 190, -20 * 2.2, "40 kt fast: limited to 20"},
               {250, 150, 20 * 2.2, "100 kt slow: limited to 20"},
               {99, 150, 0, "selected speed below 100"},
               {150, 99, 0, "airspeed below 100"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(SELECTED_SPEED, c.selected);
    host_.set(AIRSPEED, c.airspeed);
    EXPECT_NEAR(shows(SPEED_POINTER).offset_y, c.offset_y, 1e-9);
  }
}

TEST_F(Attitude, BankPointerTurnNeedleAndInclinometer) {
  constexpr PIXPOINT bank_pivot{165, 173}, turn_pivot{165, 323};
  struct Case {
    double bank, turn_rate;
    double bank_t, turn_t;  // fraction of the way between the scale rows' points
    const char* why;
  } cases[] = {{-90, -4.5, 0, 0, "both at their first marks"},
               {0, 0, 0.5, 0.5, "wings level, no turn"},
               {45, 9, 0.75, 1, "turn needle stops at 4.5"},
               {90, -7, 1, 0, "and at -4.5"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(BANK, c.bank);
    host_.set(TURN_RATE, c.turn_rate * 256);
    EXPECT_BEARING(shows(BANK_POINTER).angle, between(bank_pivot, {175, 173}, {155, 173}, c.bank_t));
    EXPECT_BEARING(shows(TURN_NEEDLE).angle, between(turn_pivot, {132, 290}, {198, 290}, c.turn_t));
  }
  host_.set(INCLINOMETER, -16);
  EXPECT_DOUBLE_EQ(shows(INCLINOMETER_BALL).offset_x, -16 * 0.265625);
  EXPECT_DOUBLE_EQ(shows(INCLINOMETER_BALL).offset_y, 256 * -0.00018310546875)
      << "the ball rises with the square of its travel either way";
  host_.set(0x264, 10);
  EXPECT_DOUBLE_EQ(shows(3150).offset_y, -2);
}

// Every flag starts from a state that hides all of them; each row changes one
// thing and names the flag that must then show or stay hidden.
TEST_F(Attitude, AnnunciatorFlags) {
  using Set = std::function<void(panelbench::Host&)>;
  struct Case {
    Set change;
    uint32_t flag;
    bool shown;
    const char* why;
  } cases[] = {
      {[](auto&) {}, WARNING_FLAG, false, "quiet"},
      {[](auto& h) { h.set(0x117, 0.5); }, WARNING_FLAG, true, "0x117 above 0"},
      {[](auto& h) { h.set(0x114, 0.1); }, WARNING_FLAG, true, "0x114 above 0"},
      {[](auto& h) { h.set(0x120, 3); }, WARNING_FLAG, true, "0x120 above 0"},

      {[](auto&) {}, LATERAL_FLAG, false, "quiet: the lateral signal is above 0.5"},
      {[](auto& h) { h.set(LATERAL_VALID, 0.5); }, LATERAL_FLAG, true, "0.5 is not above 0.5"},
      {[](auto& h) { h.set_int(0x117, 2); }, LATERAL_FLAG, true, "integer 0x117 not 0"},
      {[](auto& h) { h.set_int(0x11D, 1); }, LATERAL_FLAG, true, "0x11D while 0x350 is 0"},
      {[](auto& h) { h.set(0x2F3, 9); }, LATERAL_FLAG, true, "not ready while 0x350 is 0"},
      {[](auto& h) { h.set(0x350, 1); h.set_int(0x11D, 1); h.set(0x2F3, 9); }, LATERAL_FLAG,
       false, "0x350 set: 0x11D and readiness no longer count"},

      {[](auto&) {}, SPEED_FLAG, false, "quiet"},
      {[](auto& h) { h.set(SELECTED_SPEED, 99); }, SPEED_FLAG, true, "selected speed below 100"},
      {[](auto& h) { h.set(AIRSPEED, 99); }, SPEED_FLAG, true, "airspeed below 100"},
      {[](auto& h) { h.set_int(0x112, 1); }, SPEED_FLAG, true, "integer 0x112 not 0"},
      {[](auto& h) { h.set(0x117, 1); }, SPEED_FLAG, true, "0x117 exactly 1"},
      {[](auto& h) { h.set(0x117, 2); }, SPEED_FLAG, false, "0x117 of 2 is not 1"},
      {[](auto& h) { h.set(0x2F3, 9.9); }, SPEED_FLAG, true, "0x2F3 below 10"},

      {[](auto&) {}, READINESS_FLAG, false, "quiet"},
      {[](auto& h) { h.set(0x2F3, 19); }, READINESS_FLAG, true, "0x2F3 below 20"},
      {[](auto& h) { h.set_int(0x11F, 1); }, READINESS_FLAG, true, "integer 0x11F not 0"},

      {[](auto&) {}, GLIDE_SLOPE_FLAG, false, "quiet: glide slope valid (exactly 1)"},
      {[](auto& h) { h.set(GLIDE_SLOPE_VALID, 0.9); }, GLIDE_SLOPE_FLAG, true, "0x354 not 1"},
      {[](auto& h) { h.set(0x11D, 1); }, GLIDE_SLOPE_FLAG, true, "0x11D exactly 1"},
      {[](auto& h) { h.set(0x117, 1); }, GLIDE_SLOPE_FLAG, true, "0x117 exactly 1"},
      {[](auto& h) { h.set(0x350, 1); }, GLIDE_SLOPE_FLAG, true, "0x350 exactly 1"},
      {[](auto& h) { h.set(0x2F3, 9); }, GLIDE_SLOPE_FLAG, true, "0x2F3 below 10"},
  };
  radio_altimeter_power_on();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    for (uint32_t token : {0x112u, 0x114u, 0x117u, 0x11Du, 0x11Fu, 0x120u, 0x350u})
      host_.set_int(token, 0);
    host_.set(SELECTED_SPEED, 250);
    host_.set(AIRSPEED, 250);
    host_.set(0x2F3, 20);
    host_.set(LATERAL_VALID, 1);
    host_.set(GLIDE_SLOPE_VALID, 1);
    c.change(host_);
    ElementState& flag = shows(c.flag);
    EXPECT_EQ(flag.visible, c.shown);
    EXPECT_EQ(flag.picture, c.shown ? 0 : -1);
  }
}

TEST_F(Attitude, LateralFlagShowsWithoutRadioAltimeterPower) {
  host_.set(LATERAL_VALID, 1);
  host_.set(0x2F3, 20);
  EXPECT_TRUE(shows(LATERAL_FLAG).visible);
  radio_altimeter_power_on();
  EXPECT_FALSE(shows(LATERAL_FLAG).visible);
}

TEST_F(Attitude, DecisionHeightLight) {
  struct Case {
    double height, decision_height, on_ground;
    bool lit;
    const char* why;
  } cases[] = {{60, 61, 0, true, "below the decision height"},
               {61, 61, 0, true, "at it"},
               {62, 61, 0, false, "above it"},
               {60, 61, 1, false, "on the ground"},
               {60, 61, 2, true, "only exactly 1 is the ground"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(RADIO_ALTITUDE, c.height);
    host_.set(DECISION_HEIGHT, c.decision_height);
    host_.set(ON_GROUND, c.on_ground);
    EXPECT_EQ(shows(DECISION_LIGHT).visible, c.lit);
  }
}

TEST_F(Attitude, FailuresHideTheirElements) {
  radio_altimeter_power_on();
  host_.set_int(FLAGS_WORD, 0x80);
  host_.set(RADIO_ALTITUDE, 20);
  host_.set(DECISION_HEIGHT, 30);
  host_.set(GLIDE_SLOPE_VALID, 1);
  EXPECT_TRUE(shows(RUNWAY).visible);
  EXPECT_TRUE(shows(GLIDE_SLOPE_POINTER).visible);
  EXPECT_TRUE(shows(DECISION_LIGHT).visible);
  host_.set_failure(21);
  EXPECT_FALSE(shows(RUNWAY).visible) << "navigation failure";
  EXPECT_FALSE(shows(GLIDE_SLOPE_POINTER).visible) << "navigation failure";
  EXPECT_TRUE(shows(DECISION_LIGHT).visible);
  host_.set_failure(20);
  EXPECT_FALSE(shows(DECISION_LIGHT).visible) << "radio altimeter failure";
}

}  // namespace
