#include "tests/support/HostileTexts.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "tests/support/Base64.h"

namespace tvx::test {
namespace {

void Append(std::vector<std::uint8_t>& bytes, std::initializer_list<float> values) {
    for (const float v : values) {
        std::uint8_t b[4];
        std::memcpy(b, &v, 4);
        bytes.insert(bytes.end(), b, b + 4);
    }
}

// A triangle's positions (bytes 0-35), two key times (36-43) and two
// rotations (44-75), with an accessor for each.
std::string Head(float seconds) {
    std::vector<std::uint8_t> blob;
    Append(blob, {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, seconds, 0, 0, 0, 1, 0, 0, 0.7071f, 0.7071f});
    const std::string end = std::to_string(seconds);
    return R"({"asset":{"version":"2.0"},"buffers":[{"byteLength":76,"uri":"data:application/octet-stream;base64,)" +
           Base64(blob) +
           R"("}],"bufferViews":[{"buffer":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":8},)"
           R"({"buffer":0,"byteOffset":44,"byteLength":32}],"accessors":[)"
           R"({"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[1,1,0]},)"
           R"({"bufferView":1,"componentType":5126,"count":2,"type":"SCALAR","min":[0],"max":[)" +
           end + R"(]},{"bufferView":2,"componentType":5126,"count":2,"type":"VEC4"}],)"
                 R"("meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],)";
}

std::string Repeated(int times, const std::string& item) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += (i > 0 ? "," : "") + item;
    }
    return out;
}

std::string Numbered(int times, const std::string& before, const std::string& after) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += (i > 0 ? "," : "") + before + std::to_string(i) + after;
    }
    return out;
}

}  // namespace

std::string GltfOfInstances(int nodes) {
    return Head(1.0f) + R"("nodes":[)" + Repeated(nodes, R"({"mesh":0})") + R"(],"scenes":[{"nodes":[)" +
           Numbered(nodes, "", "") + "]}]}";
}

std::string GltfOfChannels(int channels, float seconds) {
    return Head(seconds) + R"("nodes":[)" + Repeated(channels, "{}") +
           R"(],"animations":[{"samplers":[{"input":1,"output":2}],"channels":[)" +
           Numbered(channels, R"({"sampler":0,"target":{"node":)", R"(,"path":"rotation"}})") + "]}]}";
}

std::string GltfOfEmptyMaterials(int materials) {
    return R"({"asset":{"version":"2.0"},"materials":[)" + Repeated(materials, "{}") + "]}";
}

std::string GltfOfNestedExtras(int depth) {
    return R"({"asset":{"version":"2.0"},"extras":)" + std::string(static_cast<std::size_t>(depth), '[') +
           std::string(static_cast<std::size_t>(depth), ']') + "}";
}

std::string HostSceneOfInstances(int nodes, int vertices) {
    std::string vertexList;
    std::string faceList;
    for (int i = 0; i < vertices; ++i) {
        vertexList += (i > 0 ? "," : "") + std::string("[") + std::to_string(i % 64) + "," + std::to_string(i / 64) +
                      ",0]";
        if (i + 2 < vertices) {
            faceList += (i > 0 ? "," : "") + std::string("[") + std::to_string(i) + "," + std::to_string(i + 1) +
                        "," + std::to_string(i + 2) + "]";
        }
    }
    return R"({"format":"tvx-host-scene","version":1,"scene":{"nodes":[)" +
           Numbered(nodes, R"({"id":)", R"(,"object":0})") + R"(],"objects":[{"id":0,"kind":"mesh","vertices":[)" +
           vertexList + R"(],"faces":[)" + faceList + "]}]}}";
}

}  // namespace tvx::test
