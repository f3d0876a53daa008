// The panel window button module: a two-state button toggling window 43.
#include "tests/support.h"

using panelbench::Placement;

namespace {

enum { BUTTON_ICON = 1 };

class WindowButton : public testing_support::ModuleTest {
 protected:
  WindowButton() : ModuleTest("quillon"), button_(host_.add(module_, "quillon")) {}

  int32_t picture() {
    host_.frame();
    return button_.element(BUTTON_ICON).picture;
  }
  Placement& button_;
};

TEST_F(WindowButton, OneGaugeOverItsPicture) {
  EXPECT_EQ(module_.version(), 0u);
  ASSERT_EQ(module_.gauges().size(), 1u);
  const GAUGEHDR& g = *module_.gauges()[0];
  EXPECT_STREQ(g.gauge_name, "quillon");
  EXPECT_EQ(g.gauge_header_version, 0x262u);
  EXPECT_EQ(g.size_x_mm, 100u);
  EXPECT_EQ(button_.size().x, 125) << "areas installed with the background's size";
  EXPECT_EQ(button_.size().y, 112);
  EXPECT_EQ(picture(), 0);
  EXPECT_EQ(button_.element(BUTTON_ICON).bitmap, 8192u);
  EXPECT_EQ(host_.cursor_at(button_, 50, 50), CURSOR_HAND);
}

TEST_F(WindowButton, ClicksAlternateTheStateAndToggleWindow43) {
  host_.add_window(43);
  struct Step {
    int32_t picture;
    bool open;
  } steps[] = {{1, true}, {0, false}, {1, true}, {0, false}, {1, true}};
  for (size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE("click " + std::to_string(i + 1));
    EXPECT_TRUE(host_.click(button_, 50, 50));
    EXPECT_EQ(host_.last_mouse_result(), 1) << "the toggle's result";
    EXPECT_EQ(picture(), steps[i].picture);
    EXPECT_EQ(button_.element(BUTTON_ICON).value[0], double(steps[i].picture)) << "only 0.0 and 1.0";
    EXPECT_EQ(host_.window_open(43), steps[i].open);
  }
  EXPECT_EQ(host_.window_toggles(), std::vector<uint32_t>(5, 43));
  EXPECT_TRUE(host_.key_events().empty());
}

TEST_F(WindowButton, StateDoesNotFollowTheWindow) {
  host_.click(button_, 50, 50);
  EXPECT_EQ(host_.last_mouse_result(), 0) << "no window 43 in this panel";
  EXPECT_EQ(picture(), 1) << "the picture flips all the same";
  host_.add_window(43, true);
  host_.click(button_, 50, 50);
  EXPECT_EQ(picture(), 0);
  EXPECT_FALSE(host_.window_open(43));
}

TEST_F(WindowButton, OnlyTheButtonAreaClicks) {
  struct Case {
    int x, y;
    bool hit;
    const char* why;
  } cases[] = {{1, 5, false, "above and left"},       {3, 12, true, "top left corner"},
               {105, 116, true, "bottom right corner"}, {106, 60, false, "right of the button"},
               {50, 117, false, "below the button"},   {2, 60, false, "left of the button"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    int32_t before = picture();
    EXPECT_EQ(host_.click(button_, c.x, c.y), c.hit);
    EXPECT_EQ(picture(), c.hit ? 1 - before : before);
  }
  EXPECT_EQ(host_.window_toggles().size(), 2u);
  EXPECT_FALSE(host_.click(button_, 50, 50, MOUSE_RIGHTSINGLE)) << "left clicks only";
}

TEST_F(WindowButton, KillUnregistersAndTheStateOutlivesIt) {
  host_.click(button_, 50, 50);
  host_.remove(button_);
  EXPECT_FALSE(host_.click(button_, 50, 50));
  host_.install(button_);
  EXPECT_EQ(picture(), 1) << "the state belongs to the module";
  EXPECT_TRUE(host_.click(button_, 50, 50));
  EXPECT_EQ(picture(), 0);
}

}  // namespace
