// The main module's catalogue and its seventeen panel-window toggles.
#include "tests/support.h"

using panelbench::KeyEvent;
using testing_support::take_events;

namespace {

class Toggles : public testing_support::ModuleTest {
 protected:
  Toggles() : ModuleTest("Tarnel_Instr") {}

  // Places a toggle, clicks its button once and returns the events sent.
  std::vector<KeyEvent> click(const std::string& gauge, const std::string& parameters) {
    panelbench::Placement& p = host_.add(module_, gauge, parameters);
    take_events(host_);
    EXPECT_TRUE(host_.click(p, 8, 8));
    return take_events(host_);
  }
  panelbench::Placement& installed(const std::string& gauge, const std::string& parameters) {
    panelbench::Placement& p = host_.add(module_, gauge, parameters);
    host_.frame();
    return p;
  }
};

constexpr uint32_t OPEN = 0x103CB, CLOSE = 0x103CC, TOGGLE = 0x103CA;

TEST_F(Toggles, CatalogueStartsWithTheSeventeenToggles) {
  struct Row {
    const char* name;
    uint32_t help;
  } rows[] = {{"Kneeboard_Toggle", 43923},   {"ATC_Toggle", 43924},
              {"Map_Toggle", 43919},         {"Invisible_Toggle", 0},
              {"Fuel_Zoom", 43914},          {"Close_Subpanel", 0},
              {"Radios_Toggle", 43910},      {"Show_Yoke", 0},
              {"Landing_View_Toggle", 0},    {"Nav_Instruments_Toggle", 0},
              {"GPS_Toggle", 43911},         {"Throttle_Toggle", 43912},
              {"Overhead_Toggle", 43925},    {"Compass_Toggle", 43913},
              {"Electricity_Toggle", 0},     {"Gear_Toggle", 0},
              {"Starter_Toggle", 0}};
  const auto& gauges = module_.gauges();
  ASSERT_GE(gauges.size(), 17u);
  EXPECT_EQ(module_.version(), 0x900u);
  for (size_t i = 0; i < 17; ++i) {
    SCOPED_TRACE(rows[i].name);
    EXPECT_STREQ(gauges[i]->gauge_name, rows[i].name);
    EXPECT_EQ(gauges[i]->size_x_mm, 19u);
    EXPECT_EQ(panelbench::catalogue_help_id(*gauges[i]), rows[i].help);
  }
}

TEST_F(Toggles, FixedTogglesSendTheirKeyEvent) {
  struct Case {
    const char* gauge;
    uint32_t bitmap, event;
  } cases[] = {{"Kneeboard_Toggle", 60, 0x10154}, {"ATC_Toggle", 80, 0x1001C},
               {"Map_Toggle", 70, 0x10380}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gauge);
    EXPECT_EQ(click(c.gauge, "t50"), (std::vector<KeyEvent>{{c.event, 0}}))
        << "parameters do not change a fixed toggle";
    panelbench::Placement& p = installed(c.gauge, "");
    EXPECT_EQ(p.element(0).bitmap, c.bitmap);
    EXPECT_EQ(host_.cursor_at(p, 8, 8), CURSOR_HAND);
    EXPECT_FALSE(host_.click(p, 1, 1)) << "outside the 13 x 13 button";
  }
}

TEST_F(Toggles, DefaultPicturesAndTooltips) {
  struct Case {
    const char* gauge;
    uint32_t bitmap, help;
  } cases[] = {{"Invisible_Toggle", 1000, 0},  {"Fuel_Zoom", 1010, 43914},
               {"Radios_Toggle", 1030, 43910}, {"GPS_Toggle", 1070, 43911},
               {"Overhead_Toggle", 1090, 43925}, {"Starter_Toggle", 1130, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gauge);
    panelbench::Placement& p = installed(c.gauge, "");
    EXPECT_EQ(p.element(0).bitmap, c.bitmap);
    EXPECT_EQ(host_.tooltip_at(p, 1, 1), c.help);
    EXPECT_EQ(host_.tooltip_at(p, 8, 8), c.help) << "the button shows its parent's tooltip";
  }
}

TEST_F(Toggles, PictureAndTooltipParameters) {
  struct Case {
    const char* parameters;
    uint32_t bitmap, help;
    const char* why;
  } cases[] = {
      {"b1050", 1050, 43914, "accepted picture"},
      {"b1000", 1000, 43914, "lowest picture"},
      {"b1130", 1130, 43914, "highest picture"},
      {"b1135 h43000", 1010, 43914, "not a multiple of 10: picture and tooltip unchanged"},
      {"b990 h43000", 1010, 43914, "below the set"},
      {"b1140", 1010, 43914, "above the set"},
      {"b1040 hTOGGLE_GPS_WINDOW", 1040, 43911, "tooltip by name"},
      {"hTOGGLE_COLLECTIVE_WINDOW", 1010, 43915, "last name"},
      {"h500", 1010, 0, "below 40960 removes the tooltip"},
      {"h43000", 1010, 43000, "a number"},
      {"h", 1010, 0, "empty text"},
      {"hSOMETHING", 1010, 0, "unknown name converts to 0"},
      {"# b1050 h500", 1010, 43914, "all behind a comment"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    panelbench::Placement& p = installed("Fuel_Zoom", c.parameters);
    EXPECT_EQ(p.element(0).bitmap, c.bitmap);
    EXPECT_EQ(host_.tooltip_at(p, 1, 1), c.help);
  }
}

TEST_F(Toggles, ClickActions) {
  struct Case {
    const char* parameters;
    std::vector<KeyEvent> events;
    const char* why;
  } cases[] = {
      {"tGPS_PANEL", {{TOGGLE, 225}}, "toggle by name"},
      {"oGPS_PANEL oGPS_PANEL", {{OPEN, 225}, {OPEN, 225}}, "every o entry"},
      {"t50 c75 o10 p1", {{OPEN, 10}, {CLOSE, 75}, {TOGGLE, 50}, {0x100C6, 0}},
       "o, then c, then t, then p"},
      {"t50 # c75", {{TOGGLE, 50}}, "entries behind a comment do nothing"},
      {"cANNUNCIATOR2_PANEL tANNUNCIATOR_PANEL", {{CLOSE, 150}, {TOGGLE, 125}}, "similar names"},
      {"oOVERHEAD_PANEL cMAIN_PANEL", {{OPEN, 250}, {CLOSE, 0}}, "main panel is 0"},
      {"t-5 t", {}, "negative and empty idents are ignored"},
      {"tFOO", {{TOGGLE, 0}}, "unknown text converts to 0"},
      {"p-3", {{0x100C7, 0}, {0x100C7, 0}, {0x100C7, 0}}, "previous view three times"},
      {"p2 p5", {{0x100C6, 0}, {0x100C6, 0}}, "only the first p counts"},
      {"p0", {{0x10153, 0}}, "p0 resets the view"},
      {"t50 p", {{TOGGLE, 50}, {0x10153, 0}}, "a p at the very end resets too"},
      {"x", {}, "no keys: nothing on click"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(click("GPS_Toggle", c.parameters), c.events);
  }
}

TEST_F(Toggles, HugeViewStepCountIsBounded) {
  EXPECT_EQ(click("Show_Yoke", "p-2000000000").size(), 64u);
}

TEST_F(Toggles, WithoutParametersTheMainPanelToggles) {
  host_.add_window(0, true);
  panelbench::Placement& p = host_.add(module_, "Gear_Toggle");
  host_.click(p, 8, 8);
  EXPECT_FALSE(host_.window_open(0));
  host_.click(p, 8, 8);
  EXPECT_TRUE(host_.window_open(0));
  EXPECT_EQ(host_.window_toggles(), (std::vector<uint32_t>{0, 0}));
  EXPECT_TRUE(take_events(host_).empty());
}

TEST_F(Toggles, StartActionOnlyAtThePlacementsFirstInstall) {
  panelbench::Placement& p = host_.add(module_, "Overhead_Toggle", "aOVERHEAD_PANEL tOVERHEAD_PANEL");
  EXPECT_EQ(take_events(host_), (std::vector<KeyEvent>{{CLOSE, 250}}));
  EXPECT_EQ(p.header().user_data, 1u);
  host_.remove(p);
  host_.install(p);
  EXPECT_TRUE(take_events(host_).empty()) << "the started mark survives a reinstall";
  host_.add(module_, "Overhead_Toggle", "aGPS_PANEL");
  EXPECT_EQ(take_events(host_), (std::vector<KeyEvent>{{CLOSE, 225}}))
      << "another placement has its own mark";
}

TEST_F(Toggles, BadPictureSkipsTheWholeInstallStep) {
  panelbench::Placement& p = host_.add(module_, "Compass_Toggle", "b1001 aGPS_PANEL");
  EXPECT_TRUE(take_events(host_).empty());
  EXPECT_EQ(p.header().user_data, 0u);
}

TEST_F(Toggles, PlacementsKeepTheirOwnPicturesAndTooltips) {
  panelbench::Placement& a = installed("Radios_Toggle", "b1100 h43000");
  panelbench::Placement& b = installed("Radios_Toggle", "b1120");
  panelbench::Placement& c = installed("Radios_Toggle", "");
  host_.frame();
  EXPECT_EQ(a.element(0).bitmap, 1100u);
  EXPECT_EQ(b.element(0).bitmap, 1120u);
  EXPECT_EQ(c.element(0).bitmap, 1030u);
  EXPECT_EQ(host_.tooltip_at(a, 1, 1), 43000u);
  EXPECT_EQ(host_.tooltip_at(b, 1, 1), 43910u);
}

TEST_F(Toggles, PanelKeyEventsOpenAndCloseTheWindows) {
  host_.add_window(225);
  host_.add_window(250, true);
  panelbench::Placement& p = host_.add(module_, "GPS_Toggle", "tGPS_PANEL cOVERHEAD_PANEL");
  host_.click(p, 8, 8);
  EXPECT_TRUE(host_.window_open(225));
  EXPECT_FALSE(host_.window_open(250));
  host_.click(p, 8, 8);
  EXPECT_FALSE(host_.window_open(225));
}

}  // namespace
