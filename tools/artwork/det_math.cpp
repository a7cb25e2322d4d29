#include "tools/artwork/det_math.h"

namespace orvanth::artgen {
namespace {

// Taylor series on [-pi/4, pi/4]; the tail is below 1e-17.
double sin_poly(double x) {
  const double x2 = x * x;
  double term = x;
  double sum = x;
  for (int n = 1; n <= 9; ++n) {
    term *= -x2 / static_cast<double>((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

double cos_poly(double x) {
  const double x2 = x * x;
  double term = 1.0;
  double sum = 1.0;
  for (int n = 1; n <= 9; ++n) {
    term *= -x2 / static_cast<double>((2 * n - 1) * (2 * n));
    sum += term;
  }
  return sum;
}

// atan for |x| <= 1: two argument halvings, then the series.
double atan_unit(double x) {
  for (int i = 0; i < 2; ++i) x = x / (1.0 + std::sqrt(1.0 + x * x));
  const double x2 = x * x;
  double term = x;
  double sum = x;
  for (int n = 1; n <= 12; ++n) {
    term *= -x2;
    sum += term / static_cast<double>(2 * n + 1);
  }
  return 4.0 * sum;
}

}  // namespace

double det_sin(double x) {
  const double q = std::floor(x / (kPi / 2.0) + 0.5);
  const double r = x - q * (kPi / 2.0);
  const auto quadrant = static_cast<std::int64_t>(q) & 3;
  switch (quadrant) {
    case 0:
      return sin_poly(r);
    case 1:
      return cos_poly(r);
    case 2:
      return -sin_poly(r);
    default:
      return -cos_poly(r);
  }
}

double det_cos(double x) { return det_sin(x + kPi / 2.0); }

double det_atan2(double y, double x) {
  if (x == 0.0 && y == 0.0) return 0.0;
  const double ax = std::fabs(x);
  const double ay = std::fabs(y);
  double a = ay <= ax ? atan_unit(ay / ax) : kPi / 2.0 - atan_unit(ax / ay);
  if (x < 0.0) a = kPi - a;
  return y < 0.0 ? -a : a;
}

double det_asin(double v) {
  if (v >= 1.0) return kPi / 2.0;
  if (v <= -1.0) return -kPi / 2.0;
  return det_atan2(v, std::sqrt(1.0 - v * v));
}

}  // namespace orvanth::artgen
