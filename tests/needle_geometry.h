// Expected needle angles from a dial's geometry: where a needle points for a
// value is the bearing of the dial point seen from the needle's pivot.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "host/gauges.h"

namespace needle_geometry {

// Degrees clockwise from straight up, 0 .. 360.
inline double bearing(PIXPOINT pivot, PIXPOINT point) {
  double degrees = std::atan2(double(point.x - pivot.x), double(pivot.y - point.y)) * 180.0 / std::numbers::pi;
  return degrees < 0 ? degrees + 360.0 : degrees;
}

// Clockwise turn from one bearing to another, 0 .. 360.
inline double clockwise(double from, double to) { return std::fmod(to - from + 720.0, 360.0); }

// The bearing a fraction t of the clockwise way from one point to the next.
inline double between(PIXPOINT pivot, PIXPOINT from, PIXPOINT to, double t) {
  double start = bearing(pivot, from);
  return std::fmod(start + t * clockwise(start, bearing(pivot, to)) + 720.0, 360.0);
}

// Difference of two bearings, -180 .. 180.
inline double bearing_error(double actual, double expected) {
  return std::fmod(actual - expected + 540.0, 360.0) - 180.0;
}

}  // namespace needle_geometry

#define EXPECT_BEARING(actual, expected) \
  EXPECT_NEAR(needle_geometry::bearing_error(actual, expected), 0.0, 1e-6)
