// The clock (hands, digital window, setting knobs) and the standby compass.
#include <cmath>
#include <limits>

#include "tests/needle_geometry.h"
#include "tests/support.h"

using needle_geometry::bearing;
using panelbench::KeyEvent;
using panelbench::Placement;
using testing_support::take_events;

namespace {

constexpr uint32_t TIME_OF_DAY = 0x22D, SET_HOURS = 0x101FC, SET_MINUTES = 0x101FD;
constexpr int FORWARD_X = 50, BACKWARD_X = 20, KNOB_Y = 260;

class Clock : public testing_support::ModuleTest {
 protected:
  Clock() : ModuleTest("Tarnel_Instr"), clock_(host_.add(module_, "Clock")) {
    host_.frame();
    take_events(host_);
  }
  std::vector<KeyEvent> click_at(double time, int x) {
    host_.set(TIME_OF_DAY, time);
    EXPECT_TRUE(host_.click(clock_, x, KNOB_Y));
    EXPECT_EQ(host_.last_mouse_result(), 0);
    return take_events(host_);
  }
  Placement& clock_;
};

std::vector<KeyEvent> set_to(uint32_t hours, uint32_t minutes) {
  return {{SET_HOURS, hours}, {SET_MINUTES, minutes}};
}

TEST_F(Clock, KnobsSetTheClockAMinuteAtATime) {
  struct Case {
    double time;
    int x;
    std::vector<KeyEvent> events;
    const char* why;
  } cases[] = {
      {86370, FORWARD_X, set_to(0, 0), "23:59:30 forward: midnight, seconds dropped"},
      {10, BACKWARD_X, set_to(23, 59), "00:00:10 backward: 23:59"},
      {43259.9, FORWARD_X, set_to(12, 1), "12:00:59.9 truncates to 12:00:59"},
      {3600, BACKWARD_X, set_to(0, 59), "01:00 backward"},
      {90000, FORWARD_X, set_to(1, 1), "a time beyond the day counts from its place in it"},
      {-30, FORWARD_X, set_to(0, 0), "a negative time counts back from midnight"},
      {std::numeric_limits<double>::quiet_NaN(), FORWARD_X, set_to(0, 1), "no time: midnight"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(click_at(c.time, c.x), c.events);
  }
  EXPECT_EQ(host_.cursor_at(clock_, FORWARD_X, KNOB_Y), CURSOR_UPARROW);
  EXPECT_EQ(host_.cursor_at(clock_, BACKWARD_X, KNOB_Y), CURSOR_DOWNARROW);
}

TEST_F(Clock, HeldKnobStepsFourMinutes) {
  struct Case {
    int x;
    std::vector<KeyEvent> events;
    const char* why;
  } cases[] = {
      {FORWARD_X, {{SET_HOURS, 12}, {SET_MINUTES, 1}, {SET_HOURS, 12}, {SET_MINUTES, 4}},
       "a minute on the click, four on the repeat"},
      {BACKWARD_X, {{SET_HOURS, 11}, {SET_MINUTES, 59}, {SET_HOURS, 11}, {SET_MINUTES, 56}},
       "backward the same"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(TIME_OF_DAY, 43200);
    ASSERT_TRUE(host_.press(clock_, c.x, KNOB_Y));
    host_.frames(3);  // one repeat interval
    host_.release();
    EXPECT_EQ(take_events(host_), c.events);
  }
}

TEST_F(Clock, HandsShowTheTimeOfDay) {
  constexpr PIXPOINT pivot{157, 149}, up{157, 129};
  const double top = bearing(pivot, up);
  ASSERT_EQ(bearing(pivot, {157, 169}), top + 180) << "each scale's second row points down";
  struct Case {
    double time, hour, minute, second;
    const char* why;
  } cases[] = {
      {0, 0, 0, 0, "midnight"},
      {3 * 3600 + 15 * 60 + 30, 97.75, 93, 180, "03:15:30"},
      {18 * 3600 + 45 * 60 + 15, 202.625 + 360, 271.5, 90, "18:45:15: the hour hand's second turn"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(TIME_OF_DAY, c.time);
    host_.frame();
    EXPECT_BEARING(clock_.element_by_bitmap(2430).angle, top + c.hour);
    EXPECT_BEARING(clock_.element_by_bitmap(2420).angle, top + c.minute);
    EXPECT_BEARING(clock_.element_by_bitmap(2410).angle, top + c.second);
    EXPECT_NEAR(clock_.element_by_bitmap(2430).turn, c.time / 43200 * 360, 1e-9) << "unwrapped";
  }
}

TEST_F(Clock, DigitalWindowAndItsButtons) {
  host_.set(0x150, 12.5);
  host_.frame();
  const panelbench::ElementState& window = clock_.element(1);
  ASSERT_EQ(window.element->element_type, ELEMENT_STRING);
  EXPECT_STREQ(window.text.data(), " 12.50");
  EXPECT_TRUE(window.visible);
  const auto& string = *reinterpret_cast<const ELEMENT_STRING_T*>(window.element);
  EXPECT_STREQ(string.font_name, "Quartz");
  EXPECT_EQ(string.fg_color, 0x0000FFu) << "red";

  EXPECT_EQ(host_.tooltip_at(clock_, 100, 180), 43872u);
  EXPECT_EQ(host_.tooltip_at(clock_, 150, 50), 43798u);
  ASSERT_TRUE(host_.click(clock_, 85 + 100, 180));
  ASSERT_TRUE(host_.click(clock_, 85 + 10, 180));
  EXPECT_EQ(take_events(host_), (std::vector<KeyEvent>{{0x100FD, 0}, {0x100FE, 0}}))
      << "right half up, left half down";
  EXPECT_EQ(host_.cursor_at(clock_, 85 + 100, 180), CURSOR_UPARROW);

  host_.set_failure(20);
  host_.frame();
  EXPECT_FALSE(clock_.element(1).visible) << "a display failure blanks the window";
  EXPECT_TRUE(clock_.element_by_bitmap(2430).visible) << "the hands keep going";
}

class MagneticCompass : public testing_support::ModuleTest {
 protected:
  MagneticCompass() : ModuleTest("Tarnel_Instr") {}
};

TEST_F(MagneticCompass, CardRunsFrom360DownTo0) {
  Placement& compass = host_.add(module_, "Magnetic_Compass");
  struct Case {
    double heading, fraction;
    const char* why;
  } cases[] = {{360, 0, "north at the strip's start"},
               {270, 0.25, "west a quarter along"},
               {90, 0.75, "east"},
               {0, 1, "north again at its end"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(0x53, c.heading);
    host_.frame();
    const panelbench::ElementState& card = compass.element_by_bitmap(1400);
    EXPECT_DOUBLE_EQ(card.fraction_x, c.fraction);
    EXPECT_DOUBLE_EQ(card.offset_x, c.fraction * (500 - 80)) << "strip 500 behind an 80 mask";
  }
  EXPECT_EQ(compass.element(0).element->resource_id, 1390u);
  EXPECT_EQ(host_.tooltip_at(compass, 70, 60), 43895u);
}

}  // namespace
