// The bench host itself, on the tests' own fixture module: the element engine,
// failures, mouse dispatch and the service sequence.
#include <cmath>

#include "tests/support.h"

using panelbench::KeyEvent;
using testing_support::take_events;

namespace {

class ElementEngine : public testing_support::ModuleTest {
 protected:
  ElementEngine() : ModuleTest("bench_fixture"), gauge_(host_.add(module_, "Elements")) {}
  panelbench::ElementState& element(size_t i) { return gauge_.element(i); }
  panelbench::Placement& gauge_;
};

enum { FACE, SCALED, PLAIN, LIMITED, LAMP, SLIDER, DRUM, TEXT, SPRITE };

TEST_F(ElementEngine, DrawsTheTreeInOrder) {
  host_.frame();
  ASSERT_EQ(gauge_.elements().size(), 9u);
  const uint32_t kinds[] = {ELEMENT_STATIC_IMAGE, ELEMENT_NEEDLE, ELEMENT_NEEDLE,
                            ELEMENT_NEEDLE, ELEMENT_ICON, ELEMENT_SLIDER,
                            ELEMENT_MOVING_IMAGE, ELEMENT_STRING, ELEMENT_SPRITE};
  for (size_t i = 0; i < 9; ++i) EXPECT_EQ(element(i).element->element_type, kinds[i]) << i;
  EXPECT_EQ(element(FACE).image.dim.x, 200);
  EXPECT_EQ(gauge_.size().x, 200) << "mouse areas are sized by the installed background";
}

TEST_F(ElementEngine, NeedleFollowsItsScale) {
  struct Case {
    double value;
    double angle;
    const char* why;
  } cases[] = {
      {0, 0, "first row points straight up"},
      {5, 45, "interpolated inside a segment"},
      {15, 135, "second segment"},
      {30, 270, "a row itself"},
      {35, 270, "a repeated point stops the needle"},
      {90, 270, "beyond the stop"},
      {-5, 315, "the first segment extends below the first row"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(1, c.value);
    host_.frame();
    EXPECT_NEAR(element(SCALED).angle, c.angle, 1e-9);
  }
}

TEST_F(ElementEngine, NeedleWithoutScaleShowsDegrees) {
  host_.set(2, 123);
  host_.frame();
  EXPECT_DOUBLE_EQ(element(PLAIN).angle, 123);
  host_.set(2, -30);
  host_.frame();
  EXPECT_DOUBLE_EQ(element(PLAIN).angle, 330);
}

TEST_F(ElementEngine, SweepLimitMovesAtMostItsDegreesPerUpdate) {
  host_.frame();  // the first update places the needle
  EXPECT_DOUBLE_EQ(element(LIMITED).angle, 0);
  host_.set(3, 20);  // 180 degrees along the scale
  host_.frame();
  EXPECT_DOUBLE_EQ(element(LIMITED).angle, 10);
  host_.frames(16);
  EXPECT_DOUBLE_EQ(element(LIMITED).angle, 170);
  host_.frames(5);
  EXPECT_DOUBLE_EQ(element(LIMITED).angle, 180) << "stops on its target";
  host_.set(3, 0);
  host_.frame();
  EXPECT_DOUBLE_EQ(element(LIMITED).angle, 170) << "and sweeps back the same way";
}

TEST_F(ElementEngine, IconPicturesFromTheCallbackValue) {
  struct Case {
    double token;
    int32_t picture;
    bool visible;
  } cases[] = {{0, 0, true}, {0.5, 1, true}, {1, 2, true}, {7, 2, true}, {-0.1, -1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    host_.set(4, c.token);
    host_.frame();
    EXPECT_EQ(element(LAMP).picture, c.picture);
    EXPECT_EQ(element(LAMP).visible, c.visible);
    if (c.visible) {
      EXPECT_EQ(element(LAMP).bitmap, 120u + uint32_t(c.picture));
    }
  }
}

TEST_F(ElementEngine, SliderMovingImageAndSpriteOffsets) {
  host_.set(5, 3);
  host_.set(6, 4);
  host_.set(7, 25);
  host_.set(9, 5);
  host_.set(10, 30);
  host_.frame();
  EXPECT_DOUBLE_EQ(element(SLIDER).offset_x, 6);
  EXPECT_DOUBLE_EQ(element(SLIDER).offset_y, -4);
  EXPECT_DOUBLE_EQ(element(DRUM).fraction_y, 0.25);
  EXPECT_DOUBLE_EQ(element(DRUM).offset_y, 25) << "strip 120 high behind a 20-high mask";
  EXPECT_DOUBLE_EQ(element(SPRITE).offset_y, 20);
  EXPECT_DOUBLE_EQ(element(SPRITE).rotation, -30);
  host_.set(7, 250);
  host_.frame();
  EXPECT_DOUBLE_EQ(element(DRUM).offset_y, 100) << "a moving image stays within its range";
}

TEST_F(ElementEngine, StringFormatsSourcesWithinItsCharacters) {
  host_.set(8, 3.14159);
  host_.set(11, 42);
  host_.frame();
  EXPECT_STREQ(element(TEXT).text.data(), "  3.1/42");
  host_.set(11, 123456);
  host_.frame();
  EXPECT_STREQ(element(TEXT).text.data(), "  3.1/12") << "cut at the element's 8 characters";
}

TEST_F(ElementEngine, HiddenFlagHidesOnlyThatElement) {
  host_.frame();
  element(SCALED).element->image_flags |= IMAGE_HIDDEN;
  host_.frame();
  EXPECT_FALSE(element(SCALED).visible);
  EXPECT_TRUE(element(PLAIN).visible);
}

TEST_F(ElementEngine, FailureActions) {
  host_.set(1, 10);
  host_.set(2, 50);
  host_.set(4, 0);
  host_.frame();
  host_.set_failure(30);  // freeze
  host_.set_failure(31);  // no draw
  host_.set_failure(32);  // zero
  host_.set(1, 20);
  host_.frame();
  EXPECT_DOUBLE_EQ(element(SCALED).angle, 90) << "frozen at its last angle";
  EXPECT_TRUE(element(SCALED).failed);
  EXPECT_FALSE(element(LAMP).visible);
  EXPECT_DOUBLE_EQ(element(PLAIN).angle, 0);
  host_.set_failure(30, false);
  host_.frame();
  EXPECT_DOUBLE_EQ(element(SCALED).angle, 180) << "repaired, it follows again";
}

class MouseDispatch : public testing_support::ModuleTest {
 protected:
  MouseDispatch() : ModuleTest("bench_fixture"), gauge_(host_.add(module_, "Areas")) {
    take_events(host_);
  }
  // Events other than the gauge callback's service reports.
  std::vector<KeyEvent> mouse_events() {
    std::vector<KeyEvent> events;
    for (const KeyEvent& e : take_events(host_))
      if ((e.id & 0xFFF000) != 0x72000) events.push_back(e);
    return events;
  }
  // The point, flags and gauge a mouse function reported.
  std::vector<KeyEvent> report(int32_t x, int32_t y, uint32_t flags) {
    return {{0x70001, uint32_t(x)}, {0x70002, uint32_t(y)}, {0x70003, flags},
            {0x70004, uint32_t(reinterpret_cast<uintptr_t>(&gauge_.header()))}};
  }
  panelbench::Placement& gauge_;
};

TEST_F(MouseDispatch, PointIsInTheFrameOfTheAreasParent) {
  EXPECT_TRUE(host_.click(gauge_, 20, 25));
  EXPECT_EQ(take_events(host_), report(10, 15, MOUSE_LEFTSINGLE));
  EXPECT_EQ(host_.last_mouse_result(), 7);
  EXPECT_TRUE(host_.click(gauge_, 85, 88, MOUSE_RIGHTSINGLE));
  EXPECT_EQ(take_events(host_), report(25, 28, MOUSE_RIGHTSINGLE)) << "nested parent at (60, 60)";
}

TEST_F(MouseDispatch, FirstAreaInListOrderThatTakesTheAction) {
  EXPECT_TRUE(host_.click(gauge_, 75, 75));
  EXPECT_EQ(take_events(host_), (std::vector<KeyEvent>{{0x71000, 0}}))
      << "an area without a function sends its key event";
  EXPECT_TRUE(host_.click(gauge_, 75, 75, MOUSE_RIGHTSINGLE));
  EXPECT_EQ(take_events(host_), report(15, 15, MOUSE_RIGHTSINGLE))
      << "the earlier area does not take right clicks";
  EXPECT_FALSE(host_.click(gauge_, 5, 5));
  EXPECT_FALSE(host_.click(gauge_, 20, 20, MOUSE_RIGHTSINGLE));
  EXPECT_TRUE(take_events(host_).empty());
}

TEST_F(MouseDispatch, TooltipsAndCursors) {
  struct Case {
    int x, y;
    uint32_t help, cursor;
    const char* why;
  } cases[] = {
      {20, 20, 500, 5, "child without help shows its parent's"},
      {75, 75, 700, 1, "innermost area with a help id"},
      {65, 65, 600, 0, "nested parent's tooltip record"},
      {160, 160, 800, 5, "whole-gauge parent"},
      {195, 5, 800, 0, "empty box covers the gauge"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(host_.tooltip_at(gauge_, c.x, c.y), c.help);
    EXPECT_EQ(host_.cursor_at(gauge_, c.x, c.y), c.cursor);
  }
}

TEST_F(MouseDispatch, HeldButtonRepeatsOnlyWhereTheAreaAsks) {
  host_.set_repeat_interval(3);
  host_.press(gauge_, 75, 75);
  host_.frames(7);
  host_.release();
  host_.frames(6);
  EXPECT_EQ(mouse_events().size(), 3u) << "the press and two repeats";

  host_.press(gauge_, 160, 160);
  host_.frames(3);
  host_.release();
  auto events = mouse_events();
  ASSERT_EQ(events.size(), 8u);
  EXPECT_EQ(events[2].value, MOUSE_LEFTSINGLE);
  EXPECT_EQ(events[6].value, MOUSE_LEFTSINGLE | MOUSE_DOWN_REPEAT);

  host_.press(gauge_, 20, 20);
  host_.frames(6);
  host_.release();
  EXPECT_EQ(mouse_events().size(), 4u) << "a button area does not repeat";
}

TEST_F(MouseDispatch, DragFollowsThePointer) {
  EXPECT_TRUE(host_.press(gauge_, 75, 75, MOUSE_LEFTDRAG));
  EXPECT_TRUE(host_.drag(88, 80));
  host_.release();
  auto events = take_events(host_);
  ASSERT_EQ(events.size(), 8u);
  EXPECT_EQ((std::vector<KeyEvent>(events.begin() + 4, events.end())),
            report(28, 20, MOUSE_LEFTDRAG));
  EXPECT_FALSE(host_.drag(70, 70)) << "nothing is held after release";
}

TEST_F(MouseDispatch, ServiceSequence) {
  panelbench::Placement& second = host_.add(module_, "Areas");
  host_.frame();
  host_.remove(second);
  std::vector<KeyEvent> expected = {
      {0x72002, 1}, {0x72004, 0}, {0x7200E, 0},                 // install, initialise, connect
      {0x72006, 0}, {0x7200A, 0}, {0x7200B, 0},                 // first placement's frame
      {0x72006, 0}, {0x7200A, 0}, {0x7200B, 0},                 // second placement's frame
      {0x7200F, 0}, {0x7200C, 0},                               // disconnect, kill
  };
  EXPECT_EQ(take_events(host_), expected);
  EXPECT_FALSE(host_.click(second, 20, 20)) << "areas go with the kill";
  EXPECT_TRUE(host_.click(gauge_, 20, 20));
}

TEST(ModuleLoading, ClearErrors) {
  panelbench::Host host;
  EXPECT_THROW(host.load(testing_support::module_path("no_such_module")), panelbench::BenchError);
  panelbench::Module& fixture = host.load(testing_support::module_path("bench_fixture"));
  EXPECT_EQ(fixture.gauges().size(), 2u);
  EXPECT_EQ(fixture.version(), 0x900u);
  EXPECT_THROW(host.place(fixture, "NoSuchGauge"), panelbench::BenchError);
}

}  // namespace
