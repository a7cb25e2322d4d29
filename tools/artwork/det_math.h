// Math whose results are the same bit for bit on every build: only +, -, *, /
// and sqrt (all correctly rounded), never the C library's transcendentals.
#pragma once

#include <cmath>
#include <cstdint>

namespace orvanth::artgen {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

double det_sin(double x);
double det_cos(double x);
double det_atan2(double y, double x);
double det_asin(double v);

inline double clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }
inline double lerp(double a, double b, double t) { return a + (b - a) * t; }
inline double smoothstep(double e0, double e1, double x) {
  const double t = clamp01((x - e0) / (e1 - e0));
  return t * t * (3.0 - 2.0 * t);
}
inline double det_sqrt(double v) { return v <= 0.0 ? 0.0 : std::sqrt(v); }
// Integer powers by repeated multiplication.
inline double ipow(double b, int e) {
  double r = 1.0;
  for (int i = 0; i < e; ++i) r *= b;
  return r;
}

}  // namespace orvanth::artgen
