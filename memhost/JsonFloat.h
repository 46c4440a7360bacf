// A float as JSON, the one way every JSON file of this project writes one:
// the shortest decimal that reads back to the same float, and the strings
// "NaN", "Infinity" and "-Infinity" for what JSON has no number for.
#pragma once

#include <nlohmann/json.hpp>

namespace memhost {

[[nodiscard]] nlohmann::ordered_json FloatJson(float value);

}  // namespace memhost
