// Moving the scene document's values into the host's types (points and
// matrices: hostbridge/HostMatrices.h).
//
// Host quaternions turn the other way from the document's, so a rotation
// crosses over through its Euler angles, as the host builds its own
// rotation keys.
#pragma once

#include "document/MathTypes.h"
#include "hostapi/HostTypes.h"
#include "hostapi/Quat.h"
#include "hostbridge/HostMatrices.h"

namespace tvx::importer {

using hostbridge::ToHostMatrix;
using hostbridge::ToPoint3;

// The host quaternion of the same rotation as q.
[[nodiscard]] hostapi::Quat ToHostQuat(const Quaternion& q);

// Host time of a key stored in seconds: seconds x frames per second x ticks
// per frame, to the nearest tick. Key times are frames over the frame rate
// held in single precision, so the product lands a hair off the tick the
// key was made at; truncating it put one key in twenty a tick early. Times beyond the host's range (or not a number,
// which a damaged file can hold) stop at its ends, instead of overflowing
// the conversion.
[[nodiscard]] hostapi::TimeValue SecondsToTicks(float seconds, int framesPerSecond);

// A stored value truncated to an int the same way, within the int range
// (NaN gives 0).
[[nodiscard]] int TruncateToInt(float value);

inline constexpr int kImportTicksPerFrame = 160;

}  // namespace tvx::importer
