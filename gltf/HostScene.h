// The host-scene lists being filled, with the summary and warnings of the
// conversion. Each Add gives the new item its id (its index in its list).
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "gltf/EmbeddedImages.h"
#include "gltf/GltfRead.h"

namespace tvx::gltf {

using Json = nlohmann::ordered_json;

struct HostScene {
    HostScene(ReadSummary& s, EmbeddedImages e) : summary(s), images(std::move(e)) {}

    Json nodes = Json::array();
    Json objects = Json::array();
    Json modifiers = Json::array();
    Json materials = Json::array();
    Json texmaps = Json::array();
    ReadSummary& summary;
    EmbeddedImages images;

    // `item` is written with "id" first, then its other keys in order.
    static int Add(Json& list, const Json& item) {
        const int id = static_cast<int>(list.size());
        Json entry = {{"id", id}};
        for (const auto& [key, value] : item.items()) {
            entry[key] = value;
        }
        list.push_back(std::move(entry));
        return id;
    }

    void Warn(const std::string& text) { summary.warnings.push_back(text); }
};

}  // namespace tvx::gltf
