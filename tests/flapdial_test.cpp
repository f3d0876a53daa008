// The flap gauge module: two sliders stopping at the lever's detents, and the
// two halves of the gauge sending the flap step events.
#include <limits>

#include "tests/support.h"

using panelbench::KeyEvent;
using panelbench::Placement;
using testing_support::take_events;

namespace {

enum { HANDLE = 1, POINTER = 2 };  // sliders 4112 and 4128 over the background
constexpr uint32_t FLAP_LEVER = 328;

class FlapDial : public testing_support::ModuleTest {
 protected:
  FlapDial() : ModuleTest("flapdial"), gauge_(host_.add(module_, "WISPFLAPS")) {}

  // Where each slider is drawn after an update with the lever at v.
  std::pair<PIXPOINT, PIXPOINT> positions(double v) {
    host_.set(FLAP_LEVER, v);
    host_.frame();
    auto at = [&](size_t i) {
      const panelbench::ElementState& s = gauge_.element(i);
      return PIXPOINT{s.element->position.x + int32_t(s.offset_x),
                      s.element->position.y + int32_t(s.offset_y)};
    };
    return {at(POINTER), at(HANDLE)};
  }
  Placement& gauge_;
};

TEST_F(FlapDial, OneGaugeWithItsOwnRoutines) {
  EXPECT_EQ(module_.version(), 0u);
  ASSERT_EQ(module_.gauges().size(), 1u);
  const GAUGEHDR& g = *module_.gauges()[0];
  EXPECT_STREQ(g.gauge_name, "WISPFLAPS");
  EXPECT_EQ(g.gauge_header_version, 0x2BCu);
  EXPECT_EQ(g.size_x_mm, 76u);
  EXPECT_EQ(panelbench::catalogue_help_id(g), 40981u);
  ASSERT_EQ(gauge_.elements().size(), 3u) << "the install routine handed over the elements";
  const uint32_t bitmaps[] = {4096, 4112, 4128};
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(gauge_.element(i).element->resource_id, bitmaps[i]);
  EXPECT_EQ(gauge_.size().x, 76);
  EXPECT_EQ(gauge_.size().y, 123);
}

TEST_F(FlapDial, SlidersStopAtTheDetentWindows) {
  struct Case {
    double lever;
    PIXPOINT pointer, handle;  // sliders 4128 and 4112
    const char* why;
  } cases[] = {
      {0, {0, 23}, {23, 25}, "flaps up"},
      {std::numeric_limits<double>::quiet_NaN(), {0, 23}, {23, 25}, "not a number: up"},
      {16383.0 / 3, {0, 38}, {23, 50}, "first detent"},
      {5401, {0, 38}, {23, 50}, "inside the first window"},
      {5499, {0, 38}, {23, 50}, "inside the first window, top"},
      {2 * 16383.0 / 3, {0, 48}, {23, 68}, "second detent"},
      {10999, {0, 48}, {23, 68}, "inside the second window"},
      {16383, {0, 80}, {23, 84}, "full flaps"},
      {5400, {0, 80}, {23, 84}, "window edges are outside"},
      {5500, {0, 80}, {23, 84}, "window edges are outside"},
      {10900, {0, 80}, {23, 84}, "window edges are outside"},
      {11000, {0, 80}, {23, 84}, "window edges are outside"},
      {100, {0, 80}, {23, 84}, "between windows: the fourth stop"},
      {-1, {0, 80}, {23, 84}, "below 0: the fourth stop"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    auto [pointer, handle] = positions(c.lever);
    EXPECT_EQ(pointer.x, c.pointer.x);
    EXPECT_EQ(pointer.y, c.pointer.y);
    EXPECT_EQ(handle.x, c.handle.x);
    EXPECT_EQ(handle.y, c.handle.y);
  }
}

TEST_F(FlapDial, HalvesSendTheFlapStepEvents) {
  struct Case {
    int x, y;
    uint32_t action;
    std::vector<KeyEvent> events;
    uint32_t cursor;
    const char* why;
  } cases[] = {
      {38, 10, MOUSE_LEFTSINGLE, {{0x100DF, 0}}, CURSOR_DOWNARROW, "upper half: one step up"},
      {75, 59, MOUSE_RIGHTSINGLE, {{0x100DF, 0}}, CURSOR_DOWNARROW, "right click, lower corner"},
      {0, 62, MOUSE_LEFTSINGLE, {{0x100DE, 0}}, CURSOR_UPARROW, "lower half: one step down"},
      {70, 121, MOUSE_RIGHTSINGLE, {{0x100DE, 0}}, CURSOR_UPARROW, "right click, last row"},
      {38, 61, MOUSE_LEFTSINGLE, {}, CURSOR_NONE, "the gap between the halves"},
      {38, 122, MOUSE_LEFTSINGLE, {}, CURSOR_NONE, "below the lower half"},
      {38, 10, MOUSE_LEFTDRAG, {}, CURSOR_DOWNARROW, "a drag is no click"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.click(gauge_, c.x, c.y, c.action);
    EXPECT_EQ(take_events(host_), c.events);
    EXPECT_EQ(host_.cursor_at(gauge_, c.x, c.y), c.cursor);
    EXPECT_EQ(host_.tooltip_at(gauge_, c.x, c.y), 40981u);
  }
}

TEST_F(FlapDial, SlidersFollowTheLeverNotTheClicks) {
  auto before = positions(0);
  host_.click(gauge_, 38, 80);
  auto after = positions(0);
  EXPECT_EQ(after.first.y, before.first.y);
  EXPECT_EQ(after.second.y, before.second.y);
}

TEST_F(FlapDial, RemovalTakesTheAreasAway) {
  host_.remove(gauge_);
  EXPECT_FALSE(host_.click(gauge_, 38, 10));
  host_.install(gauge_);
  EXPECT_TRUE(host_.click(gauge_, 38, 10));
  EXPECT_EQ(positions(16383).first.y, 80);
}

}  // namespace
