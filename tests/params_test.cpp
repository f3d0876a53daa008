// The parameter-string rules every gauge of the main module shares.
#include <gtest/gtest.h>

#include <cstring>

#include "main_instruments/frame/params.h"

namespace {

GAUGEHDR gauge_with(const char* text) {
  GAUGEHDR gauge{};
  gauge.gauge_header_version = GAUGE_HEADER_VERSION_320;
  gauge.parameters = text;
  return gauge;
}

TEST(ParamFind, CommentCharactersEndTheSearch) {
  struct Case {
    const char* text;
    const char* key;
    int position;  // -1: not found
    const char* why;
  } cases[] = {
      {"t50 c75", "c", 4, "plain"},
      {"t50#c75", "c", -1, "behind a hash"},
      {"t50/c75", "c", -1, "behind a slash"},
      {"t50'c75", "c", -1, "behind an apostrophe"},
      {"c75#t50", "c", 0, "before the comment"},
      {"EPR_BUG_1.2", "EPR_BUG_", 0, "longer key"},
      {"T50", "t", -1, "case-sensitive"},
      {"", "t", -1, "empty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const char* found = param_find(c.text, c.key);
    EXPECT_EQ(found ? int(found - c.text) : -1, c.position);
  }
  EXPECT_EQ(param_find(nullptr, "t"), nullptr);
}

TEST(ParamFind, RepeatedSearchRestartsBehindTheMatch) {
  const char* text = "o225 o250 # o10";
  const char* first = param_find(text, "o");
  ASSERT_NE(first, nullptr);
  const char* second = param_find_next(first, "o");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second - text, 5);
  EXPECT_EQ(param_find_next(second, "o"), nullptr) << "the third lies behind the comment";
}

TEST(ParamNumbers, DecimalConversion) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"1.25", 1.25},  {"  -3.5x", -3.5}, {"+7", 7},       {"abc", 0},
               {"", 0},         {".5", 0.5},       {"2e2", 200},    {"1.5.3", 1.5},
               {"-", 0},        {"12e", 12},       {"4E-1", 0.4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_DOUBLE_EQ(param_decimal(c.text), c.value);
  }
}

TEST(ParamNumbers, IntegerConversionSaturates) {
  bool converted = false;
  EXPECT_EQ(param_integer(" -12ab", &converted), -12);
  EXPECT_TRUE(converted);
  EXPECT_EQ(param_integer("x", &converted), 0);
  EXPECT_FALSE(converted);
  EXPECT_EQ(param_integer("99999999999999999999", nullptr), INT32_MAX);
  EXPECT_EQ(param_integer("-99999999999999999999", nullptr), INT32_MIN);
}

TEST(ParamNumbers, ReadNumberCountsTheFirstOccurrence) {
  GAUGEHDR gauge = gauge_with("EPR_BUG_1.5 EPR_BUG_2.5");
  double holder = 9;
  EXPECT_TRUE(param_read_number(&gauge, "EPR_BUG_", &holder));
  EXPECT_DOUBLE_EQ(holder, 1.5);
  GAUGEHDR commented = gauge_with("# EPR_BUG_1.5");
  holder = 9;
  EXPECT_FALSE(param_read_number(&commented, "EPR_BUG_", &holder));
  EXPECT_DOUBLE_EQ(holder, 9) << "a missing key leaves the holder";
  GAUGEHDR none = gauge_with(nullptr);
  EXPECT_FALSE(param_read_number(&none, "EPR_BUG_", &holder));
}

TEST(ParamNumbers, SwitchIsOnOnlyForOne) {
  struct Case {
    const char* text;
    bool on;
  } cases[] = {{"s1", true}, {"s 1", true}, {"s0", false}, {"s2", false},
               {"s", false}, {"x", false},  {"#s1", false}, {"s1.9", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    GAUGEHDR gauge = gauge_with(c.text);
    EXPECT_EQ(param_read_switch(&gauge, "s"), c.on);
  }
}

}  // namespace
