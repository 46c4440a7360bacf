// The document stores angles in degrees (a view's field of view, a map's
// rotation); the host and glTF take radians. One pair of factors for every
// conversion, in double and in the single precision the document's fields
// are multiplied in.
#pragma once

#include <numbers>

namespace tvx::hostbridge {

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
inline constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
inline constexpr float kRadiansPerDegreeF = static_cast<float>(kRadiansPerDegree);
inline constexpr float kDegreesPerRadianF = static_cast<float>(kDegreesPerRadian);

}  // namespace tvx::hostbridge
