// The airspeed module: pointer and target marker on one non-linear scale and
// the knob that sets the target.
#include <limits>

#include "tests/needle_geometry.h"
#include "tests/support.h"

using needle_geometry::bearing;
using panelbench::Placement;

namespace {

enum { MARKER = 2, POINTER = 3, KNOB = 4 };
constexpr uint32_t AIRSPEED = 0x3d;
const PIXPOINT kPivot{139, 146};

class Airspeed : public testing_support::ModuleTest {
 protected:
  Airspeed() : ModuleTest("tarnelasi"), asi_(host_.add(module_, "asi")) {}

  const panelbench::ElementState& shown(size_t element) {
    host_.frame();
    return asi_.element(element);
  }
  void knob(bool left, int clicks = 1) {
    for (int i = 0; i < clicks; ++i) host_.click(asi_, left ? 240 : 260, 250);
  }
  Placement& asi_;
};

TEST_F(Airspeed, OneGauge) {
  EXPECT_EQ(module_.version(), 0x900u);
  ASSERT_EQ(module_.gauges().size(), 1u);
  const GAUGEHDR& g = *module_.gauges()[0];
  EXPECT_STREQ(g.gauge_name, "asi");
  EXPECT_EQ(g.gauge_header_version, 0x320u);
  EXPECT_EQ(g.size_x_mm, 38u);
  EXPECT_EQ(asi_.size().x, 285);
  EXPECT_EQ(asi_.size().y, 284);
  const uint32_t bitmaps[] = {4097, 4098, 4100, 4099, 4102};
  for (size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(shown(i).bitmap, bitmaps[i]);
    EXPECT_GT(asi_.element(i).image.dim.x, 0) << "a resource of the module";
    EXPECT_TRUE(asi_.element(i).visible);
  }
}

TEST_F(Airspeed, FreshModuleMarksEightyKnots) {
  EXPECT_BEARING(shown(MARKER).angle, bearing(kPivot, {205, 35}));
  EXPECT_NEAR(shown(MARKER).angle, 30.7, 0.05);
  EXPECT_DOUBLE_EQ(shown(KNOB).angle, 0);
}

TEST_F(Airspeed, PointerClampedToTheScale) {
  struct Case {
    double knots;
    PIXPOINT from, to;
    double t;
    const char* why;
  } cases[] = {
      {0, {134, 16}, {134, 16}, 0, "0 kt"},
      {30, {134, 16}, {146, 21}, 0.5, "between 0 and 60"},
      {140, {248, 195}, {248, 195}, 0, "140 kt"},
      {270, {248, 195}, {86, 41}, 0.5, "between 140 and 400"},
      {500, {116, 24}, {116, 24}, 0, "500 kt"},
      {620, {116, 24}, {116, 24}, 0, "above 500 shows 500"},
      {-5, {134, 16}, {134, 16}, 0, "negative shows 0"},
      {std::numeric_limits<double>::quiet_NaN(), {134, 16}, {134, 16}, 0, "not a number shows 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(AIRSPEED, c.knots);
    EXPECT_BEARING(shown(POINTER).angle, needle_geometry::between(kPivot, c.from, c.to, c.t));
  }
}

TEST_F(Airspeed, KnobTurnsAndSetsTheTarget) {
  struct Step {
    bool left;
    int clicks;
    double knob, target;
    const char* why;
  } steps[] = {
      {false, 1, 4, 80, "right at 80: target stays, knob still turns"},
      {true, 1, 0, 81, "left: knob back, target up"},
      {true, 1, 359, 82, "left from 0 gives 359"},
      {true, 1, 355, 83, "then 355"},
      {false, 1, 359, 82, "right from 355 gives 359"},
      {false, 1, 0, 81, "right from 359 gives 0"},
      {true, 1, 359, 82, "left from 0 again"},
      // From 359 the left steps come back to 359 every 90 clicks: 318 = 3 x 90 + 48.
      {true, 318, 359 - 48 * 4, 400, "left up to 400"},
      {true, 1, 359 - 49 * 4, 400, "left at 400: target stays, knob still turns"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.why);
    knob(s.left, s.clicks);
    EXPECT_EQ(host_.last_mouse_result(), 0);
    EXPECT_DOUBLE_EQ(shown(KNOB).angle, s.knob);
    EXPECT_DOUBLE_EQ(shown(MARKER).value[0], s.target);
  }
  Placement& fresh = host_.add(module_, "asi");
  host_.frame();
  EXPECT_BEARING(fresh.element(MARKER).angle, bearing(kPivot, {86, 41}))
      << "another placement shows the same target at the 400 point";
  EXPECT_TRUE(host_.key_events().empty());
  EXPECT_DOUBLE_EQ(host_.get(AIRSPEED), 0) << "no simulator variable changes";
}

TEST_F(Airspeed, KnobWrapsFromEveryAngle) {
  // From 0, right clicks step 4 at a time up to 356, then wrap to 0.
  knob(false, 89);
  EXPECT_DOUBLE_EQ(shown(KNOB).angle, 356);
  knob(false);
  EXPECT_DOUBLE_EQ(shown(KNOB).angle, 0) << "356 + 4 is past 359";
  knob(true, 2);
  knob(false);
  EXPECT_DOUBLE_EQ(shown(KNOB).angle, 359);
  knob(false);
  EXPECT_DOUBLE_EQ(shown(KNOB).angle, 0) << "359 + 4 is past 359";
}

TEST_F(Airspeed, KnobHalvesAndTheirLimits) {
  EXPECT_EQ(host_.cursor_at(asi_, 229, 231), CURSOR_HAND);
  EXPECT_EQ(host_.cursor_at(asi_, 270, 272), CURSOR_HAND);
  EXPECT_FALSE(host_.click(asi_, 228, 250)) << "left of the knob";
  EXPECT_FALSE(host_.click(asi_, 250, 273)) << "below the knob";
  EXPECT_FALSE(host_.click(asi_, 240, 250, MOUSE_RIGHTSINGLE)) << "left clicks only";
  host_.click(asi_, 249, 250);
  EXPECT_DOUBLE_EQ(shown(KNOB).angle, 359) << "x 249 is the left half";
  host_.click(asi_, 250, 250);
  EXPECT_DOUBLE_EQ(shown(KNOB).angle, 0) << "x 250 is the right half";
}

TEST_F(Airspeed, InitialiseBindsTheTargetName) {
  EXPECT_EQ(host_.named_bindings(), std::vector<std::string>{"target_airspeed"});
  knob(true, 5);
  host_.frame();
  EXPECT_EQ(host_.named_bindings().size(), 1u) << "bound once, at initialise";
}

TEST_F(Airspeed, FailureKey20ZeroesMarkerAndPointer) {
  host_.set(AIRSPEED, 250);
  knob(true, 20);
  host_.set_failure(20);
  Placement& p = host_.add(module_, "asi");
  host_.frame();
  EXPECT_BEARING(p.element(POINTER).angle, bearing(kPivot, {134, 16}));
  EXPECT_BEARING(p.element(MARKER).angle, bearing(kPivot, {134, 16}));
  EXPECT_FALSE(p.element(KNOB).failed) << "the knob has no failure record";
}

}  // namespace
