// Importing into the stand-in host and reading back what was built, as the
// host-scene JSON a user would see.
#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <string>

#include "document/DerivedTables.h"
#include "document/MaterialMaps.h"
#include "document/MeshAllocation.h"
#include "geometry/ProcessLoadedScene.h"
#include "importer/ImportSession.h"
#include "importer/SceneBuilder.h"
#include "memhost/HostSceneJson.h"
#include "memhost/MemHost.h"

namespace tvx::importer::test {

using Json = nlohmann::json;

inline Json Describe(const memhost::MemHost& host) { return Json::parse(memhost::HostSceneText(host)); }

// Builds the host scene from `scene`, prepared as a load prepares it unless
// `asGiven`, with the given options; `setUp` may arrange failures first.
inline Json Build(TVXScene scene, ImportOptions options = {},
                  const std::function<void(memhost::MemHost&)>& setUp = {}, bool asGiven = false) {
    memhost::MemHost host;
    if (setUp) {
        setUp(host);
    }
    ImportSession session(host, host);
    session.scene = std::move(scene);
    session.scene.scenePath = "/scenes/test.tvx";
    if (!asGiven) {
        ProcessLoadedScene(session.scene, session.poses);
    }
    session.options = options;
    EXPECT_EQ(BuildScene(session), 1);
    Json json = Describe(host);
    session.Release();
    return json;
}

// The first node with that name; fails the test when there is none.
inline const Json& Node(const Json& host, const std::string& name) {
    for (const Json& node : host["scene"]["nodes"]) {
        if (node["name"] == name) {
            return node;
        }
    }
    ADD_FAILURE() << "no node " << name;
    static const Json none = Json::object();
    return none;
}

inline const Json& ObjectOf(const Json& host, const Json& node) {
    return host["scene"]["objects"][node["object"].get<std::size_t>()];
}

// A triangle per face list entry, on vertices 0..2, with two UV channels
// whose indices are the corners.
inline TVXScene TriangleScene(int triangles = 1) {
    TVXScene scene;
    scene.vertices.resize(3);
    scene.vertices[1].position = {1.0f, 0.0f, 0.0f};
    scene.vertices[2].position = {0.0f, 1.0f, 0.0f};
    TVXFaceList& list = scene.faceLists.emplace_back();
    EXPECT_EQ(AllocThreeCornerPolygons(list, triangles), 1);
    for (TVXPolygon& p : list.polygons) {
        for (int k = 0; k < 3; ++k) {
            p.vertexIndices()[static_cast<std::size_t>(k)] = k;
            p.uvIndices(0)[static_cast<std::size_t>(k)] = k;
            p.uvIndices(1)[static_cast<std::size_t>(k)] = k;
        }
        p.materialIndex = 0;
    }
    return scene;
}

inline TVXUVSet& AddUVSet(TVXScene& scene, std::initializer_list<TVXUVCoord> coords) {
    TVXUVSet& set = scene.uvSets.emplace_back();
    set.coords = coords;
    return set;
}

inline bool Near(const Json& value, float expected) { return std::abs(value.get<float>() - expected) < 1e-5f; }

}  // namespace tvx::importer::test
