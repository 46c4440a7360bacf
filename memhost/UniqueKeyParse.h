// Host-scene text with every object key given once. The JSON library keeps
// the last of a key given twice, so a file could say two things about one
// field and be read as saying only the last.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace memhost {

// For text that parses as JSON: the first key an object gives twice, as
// "<where the object is>: the key \"k\" is given twice" (the object named
// as "scene.nodes[3]", or "the file" for the top); nothing when there is
// none. A separate pass of the library's event parser, which builds no
// values, so text that does not parse costs nothing more.
[[nodiscard]] std::optional<std::string> FindDuplicateKey(std::string_view text);

}  // namespace memhost
