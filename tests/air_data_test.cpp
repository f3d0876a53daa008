// The main module's air-data instruments (airspeed, Mach, altitude, vertical
// speed, angle of attack, g-meter) and where its flight instruments sit in the
// catalogue.
#include <algorithm>
#include <cmath>

#include "tests/needle_geometry.h"
#include "tests/support.h"

using needle_geometry::bearing;
using needle_geometry::between;
using panelbench::ElementState;
using panelbench::KeyEvent;
using panelbench::Placement;
using testing_support::take_events;

namespace {

class AirData : public testing_support::ModuleTest {
 protected:
  AirData() : ModuleTest("Tarnel_Instr") {}

  Placement& shown(const char* gauge) {
    Placement& p = host_.add(module_, gauge);
    host_.frame();
    return p;
  }
};

// Expected angle of a value on a dial: the bearing of its row's point, or a
// fraction of the way to the next row's point.
struct DialCase {
  double value;
  PIXPOINT from, to;
  double t;
  const char* why;
};

void expect_dial(panelbench::Host& host, Placement& p, uint32_t token, uint32_t needle_bitmap,
                 PIXPOINT pivot, const DialCase& c, double token_per_value = 1.0) {
  SCOPED_TRACE(c.why);
  host.set(token, c.value * token_per_value);
  host.frame();
  EXPECT_BEARING(p.element_by_bitmap(needle_bitmap).angle, between(pivot, c.from, c.to, c.t));
}

TEST_F(AirData, FlightInstrumentsInCatalogueOrder) {
  struct Row {
    const char* name;
    uint32_t size_mm, help;
  } rows[] = {{"Airspeed", 100, 43778},      {"Altimeter", 100, 43783},
              {"Vertical_Speed", 100, 12441}, {"Magnetic_Compass", 100, 43895},
              {"Angle_Of_Attack", 50, 41220}, {"Attitude", 100, 43789},
              {"Clock", 100, 43798},          {"Machmeter", 100, 41441},
              {"Accelerometer", 100, 42268}};
  const auto& gauges = module_.gauges();
  size_t previous = 0;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    GAUGEHDR* gauge = module_.find(r.name);
    ASSERT_NE(gauge, nullptr);
    size_t at = size_t(std::find(gauges.begin(), gauges.end(), gauge) - gauges.begin());
    EXPECT_GT(at, previous) << "after the gauge before it in the catalogue";
    previous = at;
    EXPECT_EQ(gauge->gauge_header_version, 0x320u);
    EXPECT_EQ(gauge->size_x_mm, r.size_mm);
    EXPECT_EQ(panelbench::catalogue_help_id(*gauge), r.help);
  }
}

// ---------------------------------------------------------------------------
// Airspeed.

constexpr uint32_t AIRSPEED = 0x3D, SECOND_SPEED = 0x3F;
constexpr PIXPOINT ASI_PIVOT{149, 153};

TEST_F(AirData, AirspeedDrumShowsTheSpeedWithinItsHundred) {
  struct Case {
    double knots, shown;
    const char* why;
  } cases[] = {{250, 50, "250 kt shows 50"},
               {100, 100, "exactly 100 kt shows 100, the drum's end"},
               {100.5, 0.5, "just above 100 starts over"},
               {99.5, 99.5, "below 100 the speed itself"},
               {0, 0, "standing still"},
               {-20, 0, "a negative speed holds the drum at its start"}};
  Placement& p = shown("Airspeed");
  ElementState& drum = p.element_by_bitmap(380);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(AIRSPEED, c.knots);
    host_.frame();
    EXPECT_NEAR(drum.fraction_x, c.shown / 100, 1e-9);
    EXPECT_NEAR(drum.offset_x, c.shown / 100 * (490 - 90), 1e-6) << "strip 490 behind a 90 mask";
    EXPECT_EQ(drum.offset_y, 0);
  }
}

TEST_F(AirData, AirspeedNeedleLagsFromZeroAtLoad) {
  Placement& p = host_.add(module_, "Airspeed");
  ElementState& needle = p.element_by_bitmap(360);
  const double kept = std::exp(-1.0 / 3.0);
  double expected = 0;
  host_.set(AIRSPEED, 350);
  for (int frame = 1; frame <= 6; ++frame) {
    SCOPED_TRACE(frame);
    host_.frame();
    expected = kept * expected + (1 - kept) * 350;
    EXPECT_NEAR(needle.value[0], expected, 1e-9);
  }
  EXPECT_LT(needle.value[0], 350 * 0.9) << "still short after six frames";
  host_.frames(200);
  EXPECT_BEARING(needle.angle, bearing(ASI_PIVOT, {149, 270})) << "settled on 350 kt";
}

TEST_F(AirData, AirspeedDialAndItsStop) {
  DialCase cases[] = {
      {0, {149, 43}, {149, 43}, 0, "0 kt straight up"},
      {25, {149, 43}, {173, 44}, 0.5, "halfway to the 50 kt mark"},
      {350, {149, 270}, {149, 270}, 0, "350 kt"},
      {500, {149, 270}, {126, 45}, 0.5, "halfway from 350 to 650"},
      {650, {126, 45}, {126, 45}, 0, "650 kt"},
      {900, {126, 45}, {126, 45}, 0, "beyond 650 the needle stops"},
  };
  Placement& p = shown("Airspeed");
  for (const DialCase& c : cases)
    expect_dial(host_, p, SECOND_SPEED, 370, ASI_PIVOT, c, 128.0);
}

TEST_F(AirData, PitotFailureZeroesTheLaggedNeedleAndDrum) {
  Placement& p = shown("Airspeed");
  host_.set(AIRSPEED, 250);
  host_.set(SECOND_SPEED, 350 * 128);
  host_.frames(100);
  host_.set_failure(6);
  host_.frame();
  EXPECT_EQ(p.element_by_bitmap(360).value[0], 0);
  EXPECT_BEARING(p.element_by_bitmap(360).angle, 0);
  EXPECT_EQ(p.element_by_bitmap(380).fraction_x, 0);
  EXPECT_BEARING(p.element_by_bitmap(370).angle, 180) << "the second needle has no failure";
}

// ---------------------------------------------------------------------------
// Machmeter and vertical speed: plain dials.

TEST_F(AirData, MachmeterDial) {
  constexpr PIXPOINT pivot{153, 150};
  DialCase cases[] = {
      {0, {153, 33}, {153, 33}, 0, "Mach 0"},
      {0.3, {193, 43}, {193, 43}, 0, "Mach 0.3"},
      {0.55, {274, 149}, {154, 271}, 0.5, "between 0.45 and 0.65"},
      {0.85, {39, 149}, {39, 149}, 0, "Mach 0.85"},
      {1.0, {113, 42}, {113, 42}, 0, "Mach 1"},
      {1.6, {113, 42}, {113, 42}, 0, "stops at Mach 1"},
  };
  Placement& p = shown("Machmeter");
  for (const DialCase& c : cases) expect_dial(host_, p, 0x40, 2010, pivot, c, 20480.0);
}

TEST_F(AirData, VerticalSpeedDialInFeetPerMinute) {
  constexpr PIXPOINT pivot{138, 138};
  // The variable is metres per second x 256.
  constexpr double per_ft_min = 0.3047999902464003 / 60 * 256;
  DialCase cases[] = {
      {0, {35, 138}, {35, 138}, 0, "level: pointing left"},
      {500, {35, 138}, {59, 72}, 0.5, "halfway to 1000 ft/min"},
      {-2000, {107, 241}, {107, 241}, 0, "2000 ft/min down"},
      {4500, {162, 38}, {243, 120}, 0.5, "between 3000 and 6000 up"},
      {6000, {243, 120}, {243, 120}, 0, "6000 up"},
      {9000, {243, 120}, {243, 120}, 0, "stops at 6000 up"},
      {-9000, {243, 157}, {243, 157}, 0, "stops at 6000 down"},
  };
  Placement& p = shown("Vertical_Speed");
  for (const DialCase& c : cases) expect_dial(host_, p, 0x41, 3470, pivot, c, per_ft_min);
  EXPECT_EQ(host_.tooltip_at(p, 138, 20), 12441u) << "from the tooltip record";
}

TEST_F(AirData, VerticalSpeedFreezesOnStaticFailure) {
  Placement& p = shown("Vertical_Speed");
  host_.set(0x41, 1300.4799583846413);
  host_.frame();
  double before = p.element_by_bitmap(3470).angle;
  host_.set_failure(19);
  host_.set(0x41, -2600.9599167692827);
  host_.frame();
  EXPECT_EQ(p.element_by_bitmap(3470).angle, before);
}

// ---------------------------------------------------------------------------
// Altimeter.

constexpr uint32_t ALTITUDE = 0x4A, SETTING = 0x4C;

TEST_F(AirData, AltitudeDrumsRollAndTheLowAltitudeFlag) {
  struct Case {
    double feet, hundreds, thousands, ten_thousands;
    bool flag;
    const char* why;
  } cases[] = {
      {9995, 950, 9500, 5000, true, "9995: thousands and ten-thousands halfway into their roll"},
      {10000, 0, 0, 10000, false, "10000: the flag goes"},
      {-50, 900, 9000, 90000, true, "-50 floors to -100, which wraps to 900"},
      {1234, 200, 1000, 0, true, "resting drums between rolls"},
      {1295, 250, 1000, 0, true, "hundreds halfway from 1200 to 1300"},
      {35000, 0, 5000, 30000, false, "high up"},
  };
  Placement& p = shown("Altimeter");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(ALTITUDE, c.feet);
    host_.frame();
    EXPECT_NEAR(p.element_by_bitmap(450).value[1], c.hundreds, 1e-6);
    EXPECT_NEAR(p.element_by_bitmap(460).value[1], c.thousands, 1e-6);
    EXPECT_NEAR(p.element_by_bitmap(480).value[1], c.ten_thousands, 1e-6);
    EXPECT_NEAR(p.element_by_bitmap(450).offset_y, c.hundreds / 1000 * (322 - 62), 1e-6);
    EXPECT_EQ(p.element_by_bitmap(470).visible, c.flag);
  }
}

TEST_F(AirData, BarometricDrums) {
  struct Case {
    double inches, hundredths, tenths, units, tens;
    const char* why;
  } cases[] = {
      {29.925, 0.02, 0.9, 9, 20, "resting"},
      {29.995, 0.09, 0.95, 9.5, 25, "tenths, units and tens halfway into their roll"},
      {30.0095, 0.005, 0, 0, 30, "hundredths halfway into their roll"},
  };
  Placement& p = shown("Altimeter");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(SETTING, c.inches);
    host_.frame();
    // Drawing order 1 to 4: hundredths at the right, tens at the left.
    const double expected[] = {c.hundredths, c.tenths, c.units, c.tens};
    const int x[] = {215, 202, 189, 176};
    for (int i = 0; i < 4; ++i) {
      const ElementState& drum = p.element(1 + size_t(i));
      ASSERT_EQ(drum.element->resource_id, 440u);
      EXPECT_EQ(drum.element->position.x, x[i]);
      EXPECT_NEAR(drum.value[1], expected[i], 1e-6) << "drum " << i;
    }
  }
}

TEST_F(AirData, AltimeterPointerTurnsOncePerThousandFeet) {
  struct Case {
    double feet, turn;
    const char* why;
  } cases[] = {{0, 0, "up at 0"},          {250, 90, "a quarter turn"},
               {1250, 450, "past one turn"}, {-50, -18, "below 0 the scale extends"}};
  Placement& p = shown("Altimeter");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(ALTITUDE, c.feet);
    host_.frame();
    EXPECT_NEAR(p.element_by_bitmap(420).turn, c.turn, 1e-9);
  }
}

TEST_F(AirData, AltimeterFailureFreezesAltitudeButNotTheSetting) {
  Placement& p = shown("Altimeter");
  host_.set(ALTITUDE, 1250);
  host_.set(SETTING, 29.925);
  host_.frame();
  host_.set_failure(3);
  host_.set(ALTITUDE, 12000);
  host_.set(SETTING, 29.995);
  host_.frame();
  EXPECT_NEAR(p.element_by_bitmap(420).turn, 450, 1e-9);
  EXPECT_NEAR(p.element_by_bitmap(460).value[1], 1000, 1e-6);
  EXPECT_TRUE(p.element_by_bitmap(470).visible) << "the flag keeps its picture";
  EXPECT_NEAR(p.element(3).value[1], 9.5, 1e-6) << "setting drums have no failure record";
}

TEST_F(AirData, AltimeterSettingKnob) {
  constexpr uint32_t DOWN = 0x1015C, UP = 0x1015B;
  struct Case {
    int x, y;
    uint32_t event, cursor;
    const char* why;
  } cases[] = {{15, 245, DOWN, CURSOR_DOWNARROW, "left half turns down"},
               {30, 260, DOWN, CURSOR_DOWNARROW, "where the halves overlap the first wins"},
               {45, 290, UP, CURSOR_UPARROW, "right half turns up"}};
  Placement& p = shown("Altimeter");
  take_events(host_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(host_.tooltip_at(p, c.x, c.y), 43834u);
    EXPECT_EQ(host_.cursor_at(p, c.x, c.y), c.cursor);
    ASSERT_TRUE(host_.press(p, c.x, c.y));
    host_.frames(3);  // one repeat interval
    host_.release();
    EXPECT_EQ(take_events(host_), (std::vector<KeyEvent>{{c.event, 0}, {c.event, 0}}))
        << "the click, then one repeat while held";
  }
  EXPECT_FALSE(host_.click(p, 60, 260)) << "beside the knob";
  EXPECT_EQ(host_.tooltip_at(p, 150, 150), 43783u);
}

// ---------------------------------------------------------------------------
// Angle of attack.

TEST_F(AirData, AngleOfAttackFlagAndNeedle) {
  struct Case {
    double flag_token;
    bool flag;
    const char* why;
  } cases[] = {{20, true, "20 still shows the flag"},
               {20.5, false, "above 20 it goes"},
               {-3, true, "low values show it"}};
  Placement& p = shown("Angle_Of_Attack");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(0x2F1, c.flag_token);
    host_.frame();
    EXPECT_EQ(p.element_by_bitmap(2200).visible, c.flag);
  }
  constexpr PIXPOINT pivot{92, 92};
  DialCase dial[] = {{1, {92, 22}, {92, 22}, 0, "raw 1 straight up"},
                     {13107, {167, 92}, {167, 92}, 0, "right"},
                     {22937, {167, 92}, {38, 146}, 0.5, "halfway to the last row"},
                     {32767, {38, 146}, {38, 146}, 0, "the last row"}};
  for (const DialCase& c : dial) expect_dial(host_, p, 0x15D, 2180, pivot, c);
}

// ---------------------------------------------------------------------------
// G-meter.

constexpr uint32_t LOAD_FACTOR = 0x15F;
constexpr PIXPOINT G_PIVOT{166, 171};
constexpr double G = 624;

class GMeter : public AirData {
 protected:
  GMeter() : p_(host_.add(module_, "Accelerometer")) {}
  void pull(double g) {
    host_.set(LOAD_FACTOR, g * G);
    host_.frame();
  }
  double current() { return p_.element(1).angle; }
  double lowest() { return p_.element(2).angle; }
  double highest() { return p_.element(3).angle; }
  void reset() {
    ASSERT_TRUE(host_.click(p_, 30, 295));
    EXPECT_EQ(host_.last_mouse_result(), 0);
  }
  Placement& p_;
};

TEST_F(GMeter, MemoriesStartAtZeroG) {
  pull(1);
  pull(1.5);
  pull(1);
  EXPECT_BEARING(current(), bearing(G_PIVOT, {70, 165}));
  EXPECT_BEARING(lowest(), bearing(G_PIVOT, {113, 256})) << "0 g from load";
  EXPECT_BEARING(highest(), between(G_PIVOT, {70, 165}, {116, 82}, 0.5)) << "1.5 g, the highest";
}

TEST_F(GMeter, ResetOnTheGroundThenAPull) {
  pull(1);
  reset();
  pull(1);
  EXPECT_BEARING(lowest(), bearing(G_PIVOT, {70, 165}));
  EXPECT_BEARING(highest(), bearing(G_PIVOT, {70, 165}));
  pull(2.5);
  pull(1);
  pull(1.2);
  EXPECT_BEARING(highest(), between(G_PIVOT, {116, 82}, {267, 163}, 0.25)) << "2.5 g stays";
  EXPECT_BEARING(lowest(), bearing(G_PIVOT, {70, 165})) << "1 g stays";
  pull(-1);
  EXPECT_BEARING(lowest(), between(G_PIVOT, {266, 188}, {113, 256}, 0.5));
  reset();
  pull(-1);
  EXPECT_BEARING(highest(), lowest()) << "a reset takes the load factor of the moment";
}

TEST_F(GMeter, NeedlesStopAtTheScaleEnds) {
  pull(5);
  EXPECT_BEARING(current(), bearing(G_PIVOT, {267, 163}));
  pull(-3);
  EXPECT_BEARING(current(), bearing(G_PIVOT, {266, 188}));
  EXPECT_BEARING(lowest(), bearing(G_PIVOT, {266, 188}));
  EXPECT_BEARING(highest(), bearing(G_PIVOT, {267, 163}));
}

TEST_F(GMeter, ResetButtonAndTooltips) {
  EXPECT_EQ(host_.tooltip_at(p_, 150, 100), 42268u);
  EXPECT_EQ(host_.tooltip_at(p_, 30, 295), 42279u);
  EXPECT_EQ(host_.cursor_at(p_, 30, 295), CURSOR_HAND);
  EXPECT_FALSE(host_.click(p_, 100, 295)) << "right of the button";
  pull(2);
  host_.set(LOAD_FACTOR, 0.5 * G);
  ASSERT_TRUE(host_.press(p_, 30, 295));
  host_.set(LOAD_FACTOR, 3 * G);
  host_.frames(3);  // a repeat resets again, to the load factor of then
  host_.release();
  host_.frame();
  EXPECT_BEARING(lowest(), highest());
  EXPECT_BEARING(lowest(), between(G_PIVOT, {116, 82}, {267, 163}, 0.5));
}

}  // namespace
