#include "memhost/JsonFloat.h"

#include <charconv>
#include <cmath>

namespace memhost {

nlohmann::ordered_json FloatJson(float value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "Infinity" : "-Infinity";
    }
    // The shortest digits that read back as this float, carried through the
    // double nearest to them, which the JSON writer prints with the same
    // digits. from_chars, unlike strtod, reads them whatever the locale.
    char digits[32];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    double nearest = 0.0;
    (void)std::from_chars(digits, end, nearest);
    return nearest;
}

}  // namespace memhost
