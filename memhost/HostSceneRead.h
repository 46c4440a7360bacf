// Reading a host-scene file (docs/host-scene.md) into a fresh host, for a
// plug-in to export from.
//
// The file is untrusted. Every value is checked for its type and range,
// every key must be one the format knows, every reference by id must name
// an item of the right list, arrays that run beside each other must be
// equally long, and loops (in the hierarchy, a derived object's chain,
// sub-materials or sub-maps) are refused, as is nesting deeper than the
// format needs. Any fault gives null and a message that says where the
// fault is (a path such as "scene.nodes[3].parent") and what is wrong.
//
// What an export of the scene would build is priced before the host is
// handed out (PlacedScenePrice.h): a file of a few hundred kilobytes can
// place one mesh in thousands of nodes.
//
// Only the scene is read; a file's session, if any, is what happened while
// it was built and is ignored, so the new host starts with an empty
// session. Writing the host out again gives the same scene.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "memhost/SceneBudget.h"

namespace memhost {

class MemHost;

struct HostSceneReadOptions {
    // What exporting the scene may build beyond what the file holds.
    std::uint64_t maxSceneBytes = kDefaultMaxSceneBytes;
    bool* overBudget = nullptr;  // set when the file is refused for that
    bool sampled = true;         // whether the export samples the animation
};

[[nodiscard]] std::unique_ptr<MemHost> ReadHostScene(std::string_view text, std::string& error,
                                                     const HostSceneReadOptions& options = {});

}  // namespace memhost
