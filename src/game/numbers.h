#pragma once

#include <cmath>

#include "ports/random.h"

namespace flakmire {

// Number conventions of the rules.

constexpr double Pi = 3.14159265358979;

// "Converted to a whole number": to nearest, halves to even.
inline long RoundHalfEven(double x) { return std::lrint(x); }

// floor as a whole number, for the "1 in N" draws.
inline long Floor(double x) { return static_cast<long>(std::floor(x)); }

// "A chance of 1 in n": one draw, and floor(Rnd x n) is 0.
inline bool ChanceOneIn(Random& random, long n) { return Floor(random.Rnd() * n) == 0; }

template <class T>
constexpr int Sign(T x) {
  return (x > T(0)) - (x < T(0));
}

}  // namespace flakmire
