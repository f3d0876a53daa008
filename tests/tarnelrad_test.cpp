// The radio panel module: six windows of text from binary-coded-decimal
// values, their highlight lists, the tuning areas and the push button.
#include <cstring>

#include "tests/support.h"

using panelbench::KeyEvent;
using panelbench::Placement;
using testing_support::take_events;

namespace {

// Drawing order: background, then the windows.
enum { ADF = 1, TRANSPONDER = 2, NAV2 = 3, NAV1 = 4, COM2 = 5, COM1 = 6 };

class RadioPanel : public testing_support::ModuleTest {
 protected:
  RadioPanel() : ModuleTest("tarnelrad"), panel_(host_.add(module_, "tarnelrad")) {}

  std::string text(size_t window) {
    host_.frame();
    return panel_.element(window).text.data();
  }
  // Highlighted characters as a mask, '^' for lit.
  std::string lit(size_t window) {
    std::string mask;
    for (bool b : host_.highlighted(panel_.element(window))) mask += b ? '^' : '.';
    return mask;
  }
  Placement& panel_;
};

TEST_F(RadioPanel, OneGaugeOfSixWindows) {
  EXPECT_EQ(module_.version(), 0u);
  ASSERT_EQ(module_.gauges().size(), 1u);
  const GAUGEHDR& g = *module_.gauges()[0];
  EXPECT_STREQ(g.gauge_name, "tarnelrad");
  EXPECT_EQ(g.gauge_header_version, 0x262u);
  EXPECT_EQ(g.size_x_mm, 100u);
  ASSERT_EQ(panel_.elements().size(), 7u);
  EXPECT_EQ(panel_.element(0).element->resource_id, 4096u);
  EXPECT_EQ(panel_.size().x, 271) << "areas installed with the background's size";
  EXPECT_EQ(panel_.size().y, 494);
  for (size_t i = ADF; i <= COM1; ++i) {
    SCOPED_TRACE(i);
    const auto& s = *reinterpret_cast<const ELEMENT_STRING_T*>(panel_.element(i).element);
    EXPECT_STREQ(s.font_name, "Courier New");
    EXPECT_EQ(s.fg_color, 0x00FFFFFFu);
    EXPECT_EQ(s.hilite_color, 0x0000FFFFu);
    EXPECT_EQ(s.draw_text_flags, 0x25u);
  }
}

TEST_F(RadioPanel, WindowsShowTheirBcdValues) {
  struct Case {
    size_t window;
    uint32_t token;
    int32_t value;
    const char* shown;
    const char* why;
  } cases[] = {
      {COM1, 0x17, 0x1800, "118.00", "COM 1"},
      {COM1, 0x17, 0x2345, "123.45", "COM 1, every digit"},
      {COM2, 0x366, 0x3697, "136.97", "COM 2"},
      {NAV1, 0x18, 0x1795, "117.95", "NAV 1"},
      {NAV2, 0x1b, 0x0810, "108.10", "NAV 2"},
      {TRANSPONDER, 0x26, 0x7700, "7700", "transponder"},
      {TRANSPONDER, 0x26, 0x0000, "0000", "leading zeros kept"},
      {COM1, 0x17, 0x7FFF1800, "118.00", "only the four low digits count"},
      {COM1, 0x17, 0xFFFF, "155.55", "a group above 9 shows modulo 10"},
      {TRANSPONDER, 0x26, -1, "5555", "every group above 9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set_int(c.token, c.value);
    EXPECT_EQ(text(c.window), c.shown);
    EXPECT_DOUBLE_EQ(panel_.element(c.window).value[0], double(uint32_t(c.value)))
        << "the callback returns its source as an unsigned number";
  }
}

TEST_F(RadioPanel, AdfTakesTheFractionFromItsSecondToken) {
  struct Case {
    int32_t frequency, fraction;
    const char* shown;
  } cases[] = {{0x0190, 0, "190.0"}, {0x0345, 0x0005, "345.5"}, {0x1745, 0x0032, "745.2"},
               {0x0FFF, 0x000A, "555.0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    host_.set_int(0x10, c.frequency);
    host_.set_int(0x12, c.fraction);
    EXPECT_EQ(text(ADF), c.shown);
    EXPECT_DOUBLE_EQ(panel_.element(ADF).value[0], c.frequency) << "the frequency alone";
  }
}

TEST_F(RadioPanel, SelectionHighlightsItsCharacters) {
  struct Case {
    uint32_t selection;
    const char *adf, *transponder, *nav2, *nav1, *com2, *com1;
  } cases[] = {
      {0, ".....", "....", "......", "......", "......", "......"},
      {19, "^....", "....", "......", "......", "......", "......"},
      {20, ".^...", "....", "......", "......", "......", "......"},
      {21, "..^^^", "....", "......", "......", "......", "......"},
      {10, ".....", "^...", "......", "......", "......", "......"},
      {13, ".....", "...^", "......", "......", "......", "......"},
      {8, ".....", "....", "^^^...", "......", "......", "......"},
      {9, ".....", "....", "....^^", "......", "......", "......"},
      {6, ".....", "....", "......", "^^^...", "......", "......"},
      {7, ".....", "....", "......", "....^^", "......", "......"},
      {4, ".....", "....", "......", "......", "^^^...", "^^^..."},
      {5, ".....", "....", "......", "......", "....^^", "....^^"},
      {3, ".....", "....", "......", "......", "......", "......"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("selection " + std::to_string(c.selection));
    host_.set_radio_selection(c.selection);
    EXPECT_EQ(lit(ADF), c.adf);
    EXPECT_EQ(lit(TRANSPONDER), c.transponder);
    EXPECT_EQ(lit(NAV2), c.nav2);
    EXPECT_EQ(lit(NAV1), c.nav1);
    EXPECT_EQ(lit(COM2), c.com2);
    EXPECT_EQ(lit(COM1), c.com1);
  }
}

TEST_F(RadioPanel, TuningAreasSendTheRadioEvents) {
  struct Case {
    int x, y;
    uint32_t event, cursor, help;
    const char* why;
  } cases[] = {
      {45, 30, 0x10064, CURSOR_DOWNARROW, 43609, "COM 1 megahertz down"},
      {60, 30, 0x10065, CURSOR_UPARROW, 43609, "COM 1 megahertz up"},
      {80, 30, 0x10066, CURSOR_DOWNARROW, 43609, "COM 1 fraction down"},
      {100, 48, 0x10067, CURSOR_UPARROW, 43609, "COM 1 fraction up, last row"},
      {40, 144, 0x10384, CURSOR_DOWNARROW, 43610, "COM 2 corner"},
      {93, 150, 0x10388, CURSOR_UPARROW, 43610, "COM 2 fraction up"},
      {165, 30, 0x10068, CURSOR_DOWNARROW, 41256, "NAV 1"},
      {225, 30, 0x1006b, CURSOR_UPARROW, 41256, "NAV 1 fraction up"},
      {181, 150, 0x1006d, CURSOR_UPARROW, 41257, "NAV 2 megahertz up"},
      {201, 150, 0x1006e, CURSOR_DOWNARROW, 41257, "NAV 2 fraction down"},
      {105, 270, 0x10073, CURSOR_UPARROW, 41258, "transponder thousands"},
      {120, 270, 0x10074, CURSOR_UPARROW, 41258, "transponder hundreds"},
      {140, 270, 0x10075, CURSOR_UPARROW, 41258, "transponder tens"},
      {160, 270, 0x10076, CURSOR_UPARROW, 41258, "transponder units"},
      {100, 390, 0x10136, CURSOR_HAND, 43606, "ADF left end, over the hundreds box"},
      {117, 390, 0x10136, CURSOR_HAND, 43606, "ADF left end, over the tens box"},
      {122, 390, 0x10071, CURSOR_UPARROW, 43606, "ADF tens, beside the left end"},
      {140, 390, 0x10072, CURSOR_UPARROW, 43606, "ADF units"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_TRUE(host_.click(panel_, c.x, c.y));
    EXPECT_EQ(take_events(host_), (std::vector<KeyEvent>{{c.event, 0}}));
    EXPECT_EQ(host_.cursor_at(panel_, c.x, c.y), c.cursor);
    EXPECT_EQ(host_.tooltip_at(panel_, c.x, c.y), c.help);
  }
  struct Miss {
    int x, y;
    const char* why;
  } misses[] = {{55, 30, "between the COM 1 boxes"}, {10, 10, "outside every window"},
                {135, 270, "between transponder boxes"}, {120, 412, "below the ADF window"}};
  for (const Miss& m : misses) {
    SCOPED_TRACE(m.why);
    EXPECT_FALSE(host_.click(panel_, m.x, m.y));
    EXPECT_TRUE(take_events(host_).empty());
  }
}

TEST_F(RadioPanel, TuningAreasRepeatWhileHeld) {
  host_.set_repeat_interval(2);
  host_.press(panel_, 60, 30);
  host_.frames(4);
  host_.release();
  EXPECT_EQ(take_events(host_), (std::vector<KeyEvent>(3, KeyEvent{0x10065, 0})));
  host_.press(panel_, 100, 390);
  host_.frames(4);
  host_.release();
  EXPECT_EQ(take_events(host_), (std::vector<KeyEvent>{{0x10136, 0}})) << "the ADF end does not repeat";
}

TEST_F(RadioPanel, PushButtonSendsItsEvent) {
  host_.set_int(0x17, 0x1800);
  EXPECT_EQ(text(COM1), "118.00");
  host_.click(panel_, 71, 104, MOUSE_RIGHTSINGLE);
  EXPECT_TRUE(take_events(host_).empty()) << "left clicks only";
  EXPECT_TRUE(host_.click(panel_, 71, 104));
  EXPECT_EQ(host_.last_mouse_result(), 0);
  EXPECT_EQ(take_events(host_), (std::vector<KeyEvent>{{0x10344, 0}}));
  EXPECT_EQ(host_.tooltip_at(panel_, 71, 104), 43616u);
  EXPECT_EQ(text(COM1), "118.00") << "nothing in the module changes";
}

TEST_F(RadioPanel, KillUnregistersTheAreasAndInstallRegistersThemAgain) {
  host_.remove(panel_);
  EXPECT_FALSE(host_.click(panel_, 71, 104));
  host_.install(panel_);
  EXPECT_TRUE(host_.click(panel_, 71, 104));
  host_.set_int(0x26, 0x1200);
  EXPECT_EQ(text(TRANSPONDER), "1200");
}

}  // namespace
