#pragma once

// The platform's dynamics units on one side, Box2D's SI units on the other.
// Nothing outside dynamics/ sees metres; nothing inside converts anywhere else.
namespace dynamics::units {

// Measured on the platform: 100 points make one metre.
constexpr double kPointsPerMetre = 100;
// A gravity direction of length 1 accelerates by 1000 pt/s², that is 10 m/s².
constexpr double kGravityPerUnit = 1000 / kPointsPerMetre;
// Mass is density × width × height / 10 000 (a 100×100 view of density 1 weighs 1 kg).
constexpr double kAreaPerKilogram = 10000;

inline float metres(double points) {
  return static_cast<float>(points / kPointsPerMetre);
}
inline double points(float metres) {
  return static_cast<double>(metres) * kPointsPerMetre;
}

}  // namespace dynamics::units
