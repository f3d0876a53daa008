// Flying the radio altimeter in tests: its power button, the callout
// readiness, and descents at a steady vertical speed.
#pragma once

#include "tests/support.h"

namespace radio_altimeter {

constexpr uint32_t RADIO_ALTITUDE = 0x266, DECISION_HEIGHT = 0x267, LAMP = 0x268,
                   VERTICAL_SPEED = 0x41, READINESS = 0x2F3, ON_GROUND = 0x3C,
                   WARNING_FLAG = 0x117;
constexpr double kMetresPerFoot = 0.3047999902464003;
constexpr double metres(double feet) { return feet * kMetresPerFoot; }

// The vertical speed token (m/s x 256) of a rate in ft/min.
constexpr double rate_token(double feet_per_minute) {
  return feet_per_minute * 256 / (3.28084 * 60);
}

inline void click_power(panelbench::Host& host, panelbench::Placement& p) {
  EXPECT_TRUE(host.click(p, 260, 30));
}

// Power on and callouts ready to play.
inline void switch_on(panelbench::Host& host, panelbench::Placement& p) {
  click_power(host, p);
  host.set(READINESS, 20);
}

// Goes to the start height level (a jump there crosses nothing), holds it
// at the rate until the smoothed rate has settled, then comes down step by
// step (one frame each) to the end height.
inline void descend(panelbench::Host& host, double from_feet, double to_feet,
                    double feet_per_minute, double step_feet = 10) {
  constexpr int kSettle = 90;  // 0.9 ^ 90: the old rate is all but gone
  host.set(VERTICAL_SPEED, 0);
  host.frames(kSettle);
  host.set(RADIO_ALTITUDE, metres(from_feet));
  host.frame();
  host.set(VERTICAL_SPEED, rate_token(feet_per_minute));
  host.frames(kSettle);
  for (double h = from_feet - step_feet; h > to_feet; h -= step_feet) {
    host.set(RADIO_ALTITUDE, metres(h));
    host.frame();
  }
  host.set(RADIO_ALTITUDE, metres(to_feet));
  host.frame();
}

}  // namespace radio_altimeter
