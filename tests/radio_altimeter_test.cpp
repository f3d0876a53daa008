// Radio_Altimeter: the dial, bug, knob, lamps, power button, decision-height
// buttons and the altitude callouts.
#include <cmath>
#include <numbers>

#include "bench/bench_platform.h"
#include "tests/radio_altimeter_support.h"

using panelbench::KeyEvent;
using panelbench::SoundOp;
using testing_support::take_events;
using namespace radio_altimeter;

namespace {

enum class Part : size_t { face, warning, needle, bug, bezel, power, lamp, knob };

// Bearing of a dial point from the pivot (150, 150), clockwise from up.
double bearing(double x, double y) {
  double degrees = std::atan2(x - 150, 150 - y) * 180 / std::numbers::pi;
  return degrees < 0 ? degrees + 360 : degrees;
}

class RadioAltimeter : public testing_support::ModuleTest {
 protected:
  RadioAltimeter() : ModuleTest("Tarnel_Instr") {}
  void SetUp() override { ASSERT_NO_THROW(p_ = &host_.add(module_, "Radio_Altimeter")); }
  panelbench::ElementState& at(Part part) { return p_->element(size_t(part)); }
  panelbench::Placement* p_ = nullptr;
};

TEST_F(RadioAltimeter, ElementsInDrawingOrder) {
  struct Row {
    uint32_t kind, bitmap;
    int x, y, hub_x, hub_y;
    uint32_t flags;
    int width, height;
  } rows[] = {
      {ELEMENT_STATIC_IMAGE, 1290, 0, 0, 0, 0, 0x4003, 300, 300},
      {ELEMENT_ICON, 1330, 223, 45, 0, 0, 0x4083, 35, 80},
      {ELEMENT_NEEDLE, 1300, 150, 150, 18, 17, 0x4083, 120, 36},
      {ELEMENT_NEEDLE, 1310, 150, 150, 0, 11, 0x4083, 130, 22},
      {ELEMENT_STATIC_IMAGE, 1360, 0, 0, 0, 0, 0x3, 300, 300},
      {ELEMENT_ICON, 1350, 248, 14, 0, 0, 0x3, 32, 37},
      {ELEMENT_ICON, 1320, 20, 28, 0, 0, 0x7, 30, 30},
      {ELEMENT_NEEDLE, 1340, 258, 268, 23, 23, 0x83, 46, 46},
  };
  const GAUGEHDR* gauge = module_.find("Radio_Altimeter");
  ASSERT_TRUE(gauge);
  EXPECT_EQ(gauge->size_x_mm, 100u);
  EXPECT_EQ(panelbench::catalogue_help_id(*gauge), 43540u);
  ASSERT_EQ(p_->elements().size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].bitmap);
    const ELEMENT_HEADER& e = *at(Part(i)).element;
    EXPECT_EQ(e.element_type, rows[i].kind);
    EXPECT_EQ(e.resource_id, rows[i].bitmap);
    EXPECT_EQ(e.position.x, rows[i].x);
    EXPECT_EQ(e.position.y, rows[i].y);
    EXPECT_EQ(e.hub.x, rows[i].hub_x);
    EXPECT_EQ(e.hub.y, rows[i].hub_y);
    EXPECT_EQ(e.image_flags, rows[i].flags);
    EXPECT_EQ(at(Part(i)).image.dim.x, rows[i].width) << "picture size of the asset";
    EXPECT_EQ(at(Part(i)).image.dim.y, rows[i].height);
  }
  for (uint32_t second : {1321u, 1351u})
    EXPECT_TRUE(module_.bitmap_size(second)) << "second picture " << second;
}

TEST_F(RadioAltimeter, NeedleAndBugFollowTheDial) {
  struct Row {
    double feet, x, y;
    const char* why;
  } rows[] = {
      {-1, 104, 56, "first row"},
      {0, 150, 47, "zero straight up"},
      {500, 150, 267, "500 ft straight down"},
      {700, 94, 247, "non-linear part"},
      {1500, 40, 150, ""},
      {2500, 72, 94, ""},
      {3000, 104, 56, "end of the scale"},
      {20000, 104, 56, "held at the stop beyond 3000 ft"},
  };
  switch_on(host_, *p_);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.feet);
    host_.set(RADIO_ALTITUDE, metres(r.feet));
    host_.set(DECISION_HEIGHT, metres(r.feet));
    host_.frame();
    EXPECT_NEAR(at(Part::needle).angle, bearing(r.x, r.y), 1e-6) << r.why;
    EXPECT_NEAR(at(Part::bug).angle, bearing(r.x, r.y), 1e-6) << r.why;
  }
  host_.set(RADIO_ALTITUDE, metres(250));
  host_.frame();
  EXPECT_NEAR(at(Part::needle).angle, 90, 1e-6) << "half way from 0 (up) to 500 ft (down)";

  click_power(host_, *p_);
  host_.set(DECISION_HEIGHT, metres(500));
  host_.frame();
  EXPECT_EQ(at(Part::needle).value[0], 0) << "power off: the needle rests at 0";
  EXPECT_NEAR(at(Part::needle).angle, 0, 1e-6);
  EXPECT_NEAR(at(Part::bug).angle, 180, 1e-6) << "the bug needs no power";
}

TEST_F(RadioAltimeter, PowerButtonFlipsItsPicture) {
  EXPECT_EQ(host_.cursor_at(*p_, 260, 30), CURSOR_HAND);
  EXPECT_EQ(host_.tooltip_at(*p_, 150, 150), 43540u);
  for (int picture : {0, 1, 0, 1}) {
    host_.frame();
    EXPECT_EQ(at(Part::power).picture, picture);
    EXPECT_EQ(at(Part::power).bitmap, 1350u + picture);
    click_power(host_, *p_);
  }
  EXPECT_FALSE(host_.click(*p_, 247, 30)) << "left of the button";
}

TEST_F(RadioAltimeter, WarningFlagShowsWhileItsTokenIsOne) {
  struct Row {
    int32_t token;
    bool visible;
  } rows[] = {{0, false}, {1, true}, {-5, false}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.token);
    host_.set_int(WARNING_FLAG, r.token);
    host_.frame();
    EXPECT_EQ(at(Part::warning).visible, r.visible);
    EXPECT_EQ(at(Part::warning).bitmap, 1330u);
  }
}

TEST_F(RadioAltimeter, DecisionHeightLamp) {
  struct Row {
    bool power;
    double lamp, on_ground;
    int picture;
    const char* why;
  } rows[] = {
      {true, 1, 0, 1, "reached in the air: lit"},
      {true, 0, 0, 0, "not reached"},
      {true, 1, 1, 0, "dark on the ground"},
      {true, 1, 2, 1, "on the ground only when exactly 1"},
      {false, 1, 0, 0, "dark without power"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.why);
    if ((at(Part::power).picture == 1) != r.power) click_power(host_, *p_);
    host_.set(LAMP, r.lamp);
    host_.set(ON_GROUND, r.on_ground);
    host_.frame();
    EXPECT_EQ(at(Part::lamp).picture, r.picture);
    EXPECT_TRUE(at(Part::lamp).visible);
  }
}

TEST_F(RadioAltimeter, FailureZeroesTheNeedleAndHidesTheLamp) {
  switch_on(host_, *p_);
  host_.set(RADIO_ALTITUDE, metres(500));
  host_.set(LAMP, 1);
  host_.set_failure(20);
  host_.frame();
  EXPECT_NEAR(at(Part::needle).angle, 0, 1e-6);
  EXPECT_FALSE(at(Part::lamp).visible);
  EXPECT_NEAR(at(Part::bug).angle, 0, 1e-6) << "the bug has no failure record";
  host_.set_failure(20, false);
  host_.frame();
  EXPECT_NEAR(at(Part::needle).angle, 180, 1e-6);
  EXPECT_TRUE(at(Part::lamp).visible);
}

TEST_F(RadioAltimeter, KnobTurnsTwentyTimesTheBug) {
  host_.set(DECISION_HEIGHT, 0);
  host_.frame();
  EXPECT_NEAR(at(Part::knob).turn, 20 * 360.0, 1e-9)
      << "0 ft: the 0 row lies one clockwise turn past the -1 ft row's bearing";
  // The knob uses the dial's row angles as the host measured them for the
  // altitude needle, so it stands at 20 x the bug's unwrapped angle.
  for (double feet : {-40.0, -1.0, 100.0, 500.0, 600.0, 1250.0, 2200.0, 2999.0, 50000.0}) {
    SCOPED_TRACE(feet);
    host_.set(DECISION_HEIGHT, metres(feet));
    host_.frame();
    EXPECT_NEAR(at(Part::knob).turn, 20 * at(Part::bug).turn, 1e-6);
  }
}

TEST_F(RadioAltimeter, DecisionHeightButtons) {
  constexpr int DOWN_X = 240, UP_X = 265, Y = 260;
  constexpr uint32_t DOWN = 0x10312, UP = 0x10311;
  struct Row {
    double feet;
    int x;
    std::vector<KeyEvent> events;
    const char* why;
  } rows[] = {
      {100, DOWN_X, {{DOWN, 1}}, "fine steps below 300 ft"},
      {300, DOWN_X, {{DOWN, 0}}, "coarse from 300 ft"},
      {0, DOWN_X, {}, "nothing below 0"},
      {-3, DOWN_X, {}, ""},
      {299, UP_X, {{UP, 1}}, ""},
      {300, UP_X, {{UP, 0}}, ""},
      {2499, UP_X, {{UP, 0}}, ""},
      {2500, UP_X, {}, "nothing above 2500 ft"},
  };
  EXPECT_EQ(host_.cursor_at(*p_, DOWN_X, Y), CURSOR_DOWNARROW);
  EXPECT_EQ(host_.cursor_at(*p_, UP_X, Y), CURSOR_UPARROW);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.feet);
    host_.set(DECISION_HEIGHT, metres(r.feet));
    take_events(host_);
    EXPECT_TRUE(host_.click(*p_, r.x, Y));
    EXPECT_EQ(take_events(host_), r.events) << r.why;
  }
  host_.set(DECISION_HEIGHT, metres(1000));
  take_events(host_);
  host_.set_repeat_interval(3);
  EXPECT_TRUE(host_.press(*p_, UP_X, Y));
  host_.frames(9);
  host_.release();
  EXPECT_EQ(take_events(host_), std::vector<KeyEvent>(4, KeyEvent{UP, 0}))
      << "held: the click and a repeat every third frame";
}

// ---------------------------------------------------------------------------
// Callouts: what the bench platform heard (native builds).

class RadioAltimeterCallouts : public RadioAltimeter {
 protected:
  void SetUp() override {
    if (!testing_support::kBenchPlatform) GTEST_SKIP() << "reads the bench's sound recording";
    // Airborne: level at exactly 0 ft the decision height of 0 ft counts as
    // crossed at every update.
    host_.set(RADIO_ALTITUDE, metres(5000));
    ASSERT_NO_THROW(p_ = &host_.add(module_, "Radio_Altimeter", "s1"));
    switch_on(host_, *p_);
  }
  panelbench::BenchPlatform& sound() { return host_.bench_platform(); }
};

const uint32_t kLoadOrder[] = {1280, 1160, 1170, 1180, 1190, 1200, 1210,
                               1220, 1230, 1240, 1250, 1260, 1270};

TEST_F(RadioAltimeterCallouts, InstallLoadsEverySoundAtMinus5dB) {
  std::vector<uint32_t> found, volumes_for;
  for (const auto& c : sound().calls_of(SoundOp::find_resource)) found.push_back(c.wave_id);
  EXPECT_EQ(found, std::vector<uint32_t>(std::begin(kLoadOrder), std::end(kLoadOrder)));
  for (const auto& c : sound().calls_of(SoundOp::set_volume)) {
    volumes_for.push_back(c.wave_id);
    EXPECT_EQ(c.argument, -500);
    EXPECT_TRUE(c.ok);
  }
  EXPECT_EQ(volumes_for, found);
  EXPECT_EQ(sound().live_buffers(), 13u);
  EXPECT_EQ(sound().calls_of(SoundOp::free_resource).size(), 13u) << "each resource given back";

  host_.remove(*p_);
  std::vector<uint32_t> released;
  for (const auto& c : sound().calls_of(SoundOp::release_buffer)) released.push_back(c.wave_id);
  std::vector<uint32_t> expected(std::begin(kLoadOrder) + 1, std::end(kLoadOrder));
  expected.push_back(1280);
  EXPECT_EQ(released, expected) << "the twelve callouts, then the decision height";
  EXPECT_EQ(sound().calls().back().op, SoundOp::release_device);
  EXPECT_EQ(sound().live_buffers(), 0u);
  EXPECT_EQ(sound().live_devices(), 0u);
}

TEST_F(RadioAltimeterCallouts, DescentsPlayTheThresholdsTheyCross) {
  struct Row {
    double from, to, rate, step;
    std::vector<uint32_t> heard;
    const char* why;
  } rows[] = {
      {130, 80, -800, 10, {1220}, "100 ft at -800 ft/min"},
      {2600, 2400, -700, 10, {}, "2500 ft needs -762 ft/min or steeper"},
      {2600, 2400, -800, 10, {1160}, "2500 ft at -800 ft/min"},
      {130, 80, -20, 10, {}, "100 ft needs -30.48 ft/min"},
      {130, 80, 500, 10, {}, "climbing"},
      {1100, 15, -3000, 10, {1170, 1180, 1190, 1200, 1210, 1220, 1230, 1240, 1250, 1260},
       "every callout down to 20 ft"},
      {450, 250, -1000, 200, {1190}, "400 and 300 ft in one update: only the higher"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.why);
    size_t before = sound().started_sounds().size();
    descend(host_, r.from, r.to, r.rate, r.step);
    host_.frames(40);  // let every callout end before the next row
    std::vector<uint32_t> started = sound().started_sounds();
    EXPECT_EQ(std::vector<uint32_t>(started.begin() + before, started.end()), r.heard);
  }
}

TEST_F(RadioAltimeterCallouts, ACalloutStillPlayingIsNotRestarted) {
  descend(host_, 130, 90, -800);
  ASSERT_EQ(sound().started_sounds(), std::vector<uint32_t>{1220});
  ASSERT_TRUE(sound().playing(1220));
  host_.set(RADIO_ALTITUDE, metres(110));
  host_.frame();
  host_.set(RADIO_ALTITUDE, metres(95));
  host_.frame();
  EXPECT_EQ(sound().started_sounds(), std::vector<uint32_t>{1220}) << "crossed again while playing";
  host_.frames(20);  // the callout is 0.8 s long
  ASSERT_FALSE(sound().playing(1220));
  host_.set(RADIO_ALTITUDE, metres(110));
  host_.frame();
  host_.set(RADIO_ALTITUDE, metres(95));
  host_.frame();
  EXPECT_EQ(sound().started_sounds(), (std::vector<uint32_t>{1220, 1220}));
}

TEST_F(RadioAltimeterCallouts, DecisionHeightComesFirst) {
  host_.set(DECISION_HEIGHT, metres(195));
  descend(host_, 233, 150, -1000);
  EXPECT_EQ(sound().started_sounds(), std::vector<uint32_t>{1280})
      << "203 to 193 ft crosses the decision height and 200 ft: the decision height ends the search";
}

TEST_F(RadioAltimeterCallouts, SilentWithoutPowerReadinessOrParameter) {
  struct Row {
    const char* parameters;
    bool power;
    double readiness;
    const char* why;
  } rows[] = {
      {"s1", false, 20, "power off"},
      {"s1", true, 19.9, "readiness below 20"},
      {"", true, 20, "no parameter"},
      {"s2", true, 20, "s other than 1"},
      {"#s1", true, 20, "behind a comment"},
  };
  host_.remove(*p_);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.why);
    panelbench::Placement& p = host_.add(module_, "Radio_Altimeter", r.parameters);
    host_.frame();
    if ((p.element(size_t(Part::power)).picture == 1) != r.power) click_power(host_, p);
    host_.set(READINESS, r.readiness);
    size_t before = sound().started_sounds().size();
    descend(host_, 130, 80, -800);
    EXPECT_EQ(sound().started_sounds().size(), before);
    host_.remove(p);
  }
  EXPECT_EQ(sound().calls_of(SoundOp::create_device).size(), 3u)
      << "only the three placements with s1 open a device";
}

}  // namespace
