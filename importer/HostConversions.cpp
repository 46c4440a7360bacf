#include "importer/HostConversions.h"

#include <cmath>
#include <limits>

#include "geometry/EulerAngles.h"

namespace tvx::importer {

hostapi::Quat ToHostQuat(const Quaternion& q) {
    const Vector3 e = EulerAngles(q);
    hostapi::Quat host;
    host.SetEuler(e.x, e.y, e.z);
    return host;
}

int TruncateToInt(float value) {
    // 2^31 and -2^31 are exact floats; everything between converts.
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483648.0f) {
        return std::numeric_limits<int>::max();
    }
    if (value < -2147483648.0f) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

hostapi::TimeValue SecondsToTicks(float seconds, int framesPerSecond) {
    return TruncateToInt(std::round(seconds * static_cast<float>(framesPerSecond) * static_cast<float>(kImportTicksPerFrame)));
}

}  // namespace tvx::importer
