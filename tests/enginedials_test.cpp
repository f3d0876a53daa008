// The engine dial module: twelve N1, N2 and EGT dials with icon-digit counters,
// needles on their scales and the N1 reference bug.
#include <cmath>
#include <limits>

#include "tests/needle_geometry.h"
#include "tests/support.h"

using needle_geometry::bearing;
using panelbench::Placement;
using testing_support::take_events;

namespace {

constexpr int32_t B = 10;  // the blank digit picture
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// N1 chain: background, face, point, four digits, three drums, knob, bug, lever, N1.
enum { N_TENTHS = 3, N1_UNITS_DRUM = 7, N1_TENS_DRUM = 8, N1_HUNDREDS_DRUM = 9, N1_KNOB = 10,
       N1_BUG = 11, N1_LEVER = 12, N1_NEEDLE = 13, N2_NEEDLE = 7, EGT_UNITS = 2, EGT_NEEDLE = 6 };

double rankine(double celsius) { return celsius * 1.8 + 491.67; }

class EngineDials : public testing_support::ModuleTest {
 protected:
  EngineDials() : ModuleTest("enginedials") {}

  Placement& shown(const char* gauge) {
    Placement& p = host_.add(module_, gauge);
    host_.frame();
    return p;
  }
  static std::vector<int32_t> pictures(Placement& p, size_t first) {
    std::vector<int32_t> shown;
    for (size_t i = first; i < first + 4; ++i) shown.push_back(p.element(i).picture);
    return shown;
  }
  bool click_bug(Placement& p, bool up) { return host_.click(p, up ? 265 : 240, 10); }
};

TEST_F(EngineDials, CatalogueOfTwelveDials) {
  struct Row {
    const char* name;
    uint32_t mm, help;
    PIXPOINT size;
  } rows[] = {{"N1_1", 289, 43809, {289, 282}}, {"N1_2", 289, 43809, {289, 282}},
              {"N1_3", 289, 43809, {289, 282}}, {"N1_4", 289, 43809, {289, 282}},
              {"N2_1", 282, 43810, {282, 282}}, {"N2_2", 282, 43810, {282, 282}},
              {"N2_3", 282, 43810, {282, 282}}, {"N2_4", 282, 43810, {282, 282}},
              {"EGT_1", 275, 43805, {275, 276}}, {"EGT_2", 275, 43805, {275, 276}},
              {"EGT_3", 275, 43805, {275, 276}}, {"EGT_4", 275, 43805, {275, 276}}};
  EXPECT_EQ(module_.version(), 0x800u);
  ASSERT_EQ(module_.gauges().size(), 12u);
  for (size_t i = 0; i < 12; ++i) {
    SCOPED_TRACE(rows[i].name);
    GAUGEHDR* g = module_.gauges()[i];
    EXPECT_STREQ(g->gauge_name, rows[i].name);
    EXPECT_EQ(g->gauge_header_version, 0x320u);
    EXPECT_EQ(g->size_x_mm, rows[i].mm);
    EXPECT_EQ(panelbench::catalogue_help_id(*g), rows[i].help);
    Placement& p = shown(rows[i].name);
    EXPECT_EQ(p.size().x, rows[i].size.x);
    EXPECT_EQ(p.size().y, rows[i].size.y);
    EXPECT_EQ(host_.tooltip_at(p, 100, 100), rows[i].help);
  }
}

TEST_F(EngineDials, EveryPictureIsAResource) {
  for (GAUGEHDR* g : module_.gauges()) {
    Placement& p = shown(g->gauge_name);
    for (const panelbench::ElementState* s : p.elements()) {
      SCOPED_TRACE(std::string(g->gauge_name) + " bitmap " + std::to_string(s->element->resource_id));
      uint32_t pictures = 1, extra = 0;
      if (s->element->element_type == ELEMENT_ICON)
        pictures = reinterpret_cast<ELEMENT_ICON_T*>(s->element)->picture_count;
      if (s->element->element_type == ELEMENT_MOVING_IMAGE) extra = 1;  // its mask
      for (uint32_t k = 0; k < pictures + extra; ++k)
        EXPECT_TRUE(module_.bitmap_size(s->element->resource_id + k)) << "picture " << k;
    }
  }
}

TEST_F(EngineDials, NCounterRoundsToTenthsAndBlanksLeadingPlaces) {
  struct Case {
    double percent;
    std::vector<int32_t> digits;  // tenths, units, tens, hundreds
    const char* why;
  } cases[] = {
      {87.449, {4, 7, 8, B}, "below a half rounds down"},
      {87.45, {5, 7, 8, B}, "a half rounds up"},
      {0.04, {0, 0, B, B}, "0.0 with blank tens and hundreds"},
      {7.46, {5, 7, B, B}, "one digit before the point"},
      {9.96, {0, 0, 1, B}, "rounding carries into the tens"},
      {99.94, {9, 9, 9, B}, "just below the hundreds"},
      {99.96, {0, 0, 0, 1}, "rounding carries to 100.0"},
      {105.3, {3, 5, 0, 1}, "zero tens under the hundreds"},
      {250, {0, 0, 5, 1}, "beyond 199.9 the hundreds are lost"},
      {-3, {0, 0, B, B}, "negative shows 0.0"},
      {NaN, {0, 0, B, B}, "not a number shows 0.0"},
  };
  struct Dial {
    const char* gauge;
    uint32_t token;
  } dials[] = {{"N1_1", 624}, {"N2_3", 663}};
  for (const Dial& d : dials)
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(d.gauge) + ": " + c.why);
      host_.set(d.token, c.percent);
      Placement& p = shown(d.gauge);
      EXPECT_EQ(pictures(p, N_TENTHS), c.digits);
      EXPECT_TRUE(p.element(2).visible) << "the decimal point";
    }
}

TEST_F(EngineDials, EgtCounterInWholeDegreesCelsius) {
  struct Case {
    double celsius;
    std::vector<int32_t> digits;  // units, tens, hundreds, thousands
    const char* why;
  } cases[] = {
      {1000, {0, 0, 0, 1}, "four places"},
      {999.5, {0, 0, 0, 1}, "a half rounds up to 1000"},
      {999.4, {9, 9, 9, B}, "below a half rounds down"},
      {5.4, {5, B, B, B}, "one place"},
      {0.6, {1, B, B, B}, "rounds up to 1"},
      {105, {5, 0, 1, B}, "zero tens under the hundreds"},
      {1999, {9, 9, 9, 1}, "the highest reading"},
      {2345, {5, 4, 3, 1}, "wraps above 1999: 1345"},
      {0, {0, B, B, B}, "a single 0"},
      {-10, {0, B, B, B}, "below zero a single 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    host_.set(567, rankine(c.celsius));
    EXPECT_EQ(pictures(shown("EGT_1"), EGT_UNITS), c.digits);
  }
}

TEST_F(EngineDials, EachDialReadsItsOwnEngine) {
  const uint32_t n1[] = {624, 643, 662, 681}, n2[] = {625, 644, 663, 682},
                 egt[] = {567, 577, 587, 597};
  for (int i = 0; i < 4; ++i) {
    host_.set(n1[i], 11.0 * (i + 1));   // tens digit i + 1
    host_.set(n2[i], 22.0 * (i + 1));   // tens digit 2 (i + 1) mod 10
    host_.set(egt[i], rankine(100.0 * (i + 1)));
  }
  for (int i = 0; i < 4; ++i) {
    std::string engine = std::to_string(i + 1);
    SCOPED_TRACE("engine " + engine);
    EXPECT_EQ(shown(("N1_" + engine).c_str()).element(N_TENTHS + 2).picture, i + 1);
    EXPECT_EQ(shown(("N2_" + engine).c_str()).element(N_TENTHS + 2).picture, 2 * (i + 1) % 10);
    EXPECT_EQ(shown(("EGT_" + engine).c_str()).element(EGT_UNITS + 2).picture, i + 1);
  }
}

TEST_F(EngineDials, NeedlesFollowTheirScales) {
  const PIXPOINT n1{145, 145}, n2{140, 140}, egt{138, 137};
  struct Case {
    const char* gauge;
    size_t element;
    uint32_t token;
    double value;
    PIXPOINT pivot, from, to;
    double t;  // fraction of the way from `from` to `to`
    const char* why;
  } cases[] = {
      {"N1_1", N1_NEEDLE, 624, 50, n1, {128, 48}, {128, 48}, 0, "N1 50 %"},
      {"N1_1", N1_NEEDLE, 624, 45, n1, {94, 59}, {128, 48}, 0.5, "N1 between 40 and 50"},
      {"N1_1", N1_NEEDLE, 624, 130, n1, {241, 183}, {241, 183}, 0, "N1 stops at 110"},
      {"N1_1", N1_NEEDLE, 624, -5, n1, {49, 182}, {49, 182}, 0, "N1 stops at 0"},
      {"N1_1", N1_NEEDLE, 624, NaN, n1, {49, 182}, {49, 182}, 0, "not a number shows 0"},
      {"N1_1", N1_LEVER, 128, 1449.984, n1, {67, 82}, {67, 82}, 0, "lever at the 30 % mark"},
      {"N1_1", N1_LEVER, 128, 15360, n1, {241, 183}, {241, 183}, 0, "lever at the 110 % mark"},
      {"N1_1", N1_LEVER, 128, 16384, n1, {241, 183}, {241, 183}, 0, "lever clamped to 15360"},
      {"N1_1", N1_LEVER, 128, -100, n1, {56, 101}, {56, 101}, 0, "lever clamped to 0"},
      {"N1_1", N1_BUG, 0, 0, n1, {49, 182}, {49, 182}, 0, "bug starts at 0"},
      {"N2_1", N2_NEEDLE, 625, 75, n2, {204, 31}, {238, 59}, 0.5, "N2 between 70 and 80"},
      {"N2_1", N2_NEEDLE, 625, 200, n2, {259, 183}, {259, 183}, 0, "N2 stops at 110"},
      {"EGT_1", EGT_NEEDLE, 567, rankine(500), egt, {139, 14}, {139, 14}, 0, "EGT 500 C"},
      {"EGT_1", EGT_NEEDLE, 567, rankine(250), egt, {23, 91}, {49, 51}, 0.5, "EGT 250 C"},
      {"EGT_1", EGT_NEEDLE, 567, rankine(1200), egt, {253, 183}, {253, 183}, 0, "EGT stops at 1000"},
      {"EGT_1", EGT_NEEDLE, 567, rankine(-20), egt, {21, 183}, {21, 183}, 0, "EGT stops at 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    if (c.token) host_.set(c.token, c.value);
    Placement& p = shown(c.gauge);
    EXPECT_BEARING(p.element(c.element).angle, needle_geometry::between(c.pivot, c.from, c.to, c.t));
  }
}

TEST_F(EngineDials, NeedlesSweepAtMostTheirStepPerUpdate) {
  struct Case {
    const char* gauge;
    size_t element;
    uint32_t token;
    double start, end, step;
  } cases[] = {{"N1_2", N1_NEEDLE, 643, 0, 110, 6},
               {"N1_2", N1_LEVER, 163, 0, 16384, 6},
               {"N2_2", N2_NEEDLE, 644, 110, 0, -6},
               {"EGT_2", EGT_NEEDLE, 577, rankine(0), rankine(1000), 9}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.gauge) + " element " + std::to_string(c.element));
    host_.set(c.token, c.start);
    Placement& p = shown(c.gauge);
    double placed = p.element(c.element).turn;
    host_.set(c.token, c.end);
    host_.frame();
    EXPECT_NEAR(p.element(c.element).turn - placed, c.step, 1e-9);
    host_.frames(100);
    EXPECT_BEARING(p.element(c.element).angle, shown(c.gauge).element(c.element).angle)
        << "arrives where a fresh dial points";
  }
}

TEST_F(EngineDials, BugKnobStepsWithinLimits) {
  Placement& p = shown("N1_2");
  EXPECT_EQ(host_.cursor_at(p, 240, 10), CURSOR_DOWNARROW);
  EXPECT_EQ(host_.cursor_at(p, 265, 10), CURSOR_UPARROW);
  auto expect_bug = [&](uint32_t bug, int32_t knob, const char* why) {
    SCOPED_TRACE(why);
    host_.frame();
    EXPECT_EQ(p.element(N1_KNOB).picture, knob);
    EXPECT_DOUBLE_EQ(p.element(N1_UNITS_DRUM).fraction_y, (bug % 10) / 10.0);
    EXPECT_DOUBLE_EQ(p.element(N1_TENS_DRUM).fraction_y, (bug / 10 % 10) / 10.0);
    EXPECT_DOUBLE_EQ(p.element(N1_HUNDREDS_DRUM).fraction_y, double(bug / 100));
    EXPECT_DOUBLE_EQ(p.element(N1_UNITS_DRUM).fraction_x, 0.0);
    Placement& fresh = shown("N1_2");  // placed at once, without the sweep limit
    EXPECT_DOUBLE_EQ(fresh.element(N1_BUG).value[0], bug);
  };
  EXPECT_TRUE(click_bug(p, false));
  EXPECT_EQ(host_.last_mouse_result(), 1);
  expect_bug(0, 0, "down at 0 moves neither bug nor knob");
  click_bug(p, true);
  expect_bug(1, 1, "up one");
  for (int i = 0; i < 15; ++i) click_bug(p, true);
  expect_bug(16, 0, "the knob wraps from 15 to 0");
  click_bug(p, false);
  expect_bug(15, 15, "and back from 0 to 15");
  for (int i = 0; i < 95; ++i) click_bug(p, true);
  expect_bug(110, 14, "up to the limit");
  click_bug(p, true);
  expect_bug(110, 14, "up at 110 moves neither bug nor knob");
  EXPECT_BEARING(shown("N1_2").element(N1_BUG).angle,
                 bearing(PIXPOINT{145, 145}, PIXPOINT{241, 183}));
  EXPECT_DOUBLE_EQ(shown("N1_1").element(N1_BUG).value[0], 0) << "engine 1 keeps its own bug";
  EXPECT_TRUE(take_events(host_).empty());
}

TEST_F(EngineDials, HeldKnobRepeats) {
  Placement& p = shown("N1_3");
  host_.set_repeat_interval(3);
  host_.press(p, 265, 10);
  host_.frames(6);
  host_.release();
  host_.frame();
  EXPECT_EQ(p.element(N1_KNOB).picture, 3) << "one click and two repeats";
}

TEST_F(EngineDials, FailureKey20HidesDigitsAndZeroesNeedles) {
  host_.set(624, 87.4);
  host_.set_failure(20);
  Placement& p = shown("N1_1");
  for (size_t i = 2; i <= 6; ++i) EXPECT_FALSE(p.element(i).visible) << "counter element " << i;
  EXPECT_DOUBLE_EQ(p.element(N1_NEEDLE).value[0], 0);
  EXPECT_FALSE(p.element(N1_BUG).failed) << "the bug needle has no failure record";
}

}  // namespace
