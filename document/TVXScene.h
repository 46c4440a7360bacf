// The scene document: the in-memory form of one TVX scene file.
//
// Flat arrays of fixed-size records, one per kind of entity, all owned by the
// scene; each record owns its nested arrays. Readers fill it in two passes
// (count, allocate every array once with its defaults, fill), the exporter
// fills it from the host scene. Every operation returns 1 on success and 0 on
// failure, never an exception.
#pragma once

#include <filesystem>
#include <vector>

#include "document/MaterialRecords.h"
#include "document/MeshRecords.h"
#include "document/SceneRecords.h"

namespace tvx {

// The importer and the exporter each hold their scene slightly differently:
// clearing an importer's scene keeps its path until the next load stores a
// new one, and only the exporter accepts an empty vertex allocation.
enum class SceneRole { Import, Export };

// How many records of each kind the file announced; they drive allocation.
struct TVXFileCounts {
    int lightCount = 0;
    int cameraCount = 0;
    int materialCount = 0;
    int groupCount = 0;
    int vertexCount = 0;
    int triangleCount = 0;
    int uvSetCount = 0;
    int faceListCount = 0;
    int boneCount = 0;
    int animationCount = 0;
    int nameListCount = 0;

    bool operator==(const TVXFileCounts&) const = default;
};

struct TVXScene {
    explicit TVXScene(SceneRole r = SceneRole::Import) : role(r) {}

    SceneRole role;
    int version = 0;  // layout version of the file read; 0 when cleared
    std::vector<TVXLight> lights;
    std::vector<TVXCamera> cameras;
    std::vector<TVXMaterial> materials;
    std::vector<TVXGroup> groups;
    std::vector<TVXVertex> vertices;
    std::vector<TVXTriangle> triangles;
    std::vector<TVXUVSet> uvSets;
    int legacyUVCoordCount = 0;  // used by the legacy layouts only
    // Whether the file's vertex records carried a normal and a colour
    // (header flags 0x01 and 0x02). Without them a vertex's normal is zero
    // and its colour only a default, which nothing should take for data.
    bool vertexNormalsStored = false;
    bool vertexColorsStored = false;
    std::vector<TVXFaceList> faceLists;  // face list i belongs to group i
    std::vector<TVXBone> bones;
    std::vector<TVXAnimation> animations;
    TVXFileCounts fileCounts;
    // The file read (or written); its folder is where textures are relinked
    // and embedded files are placed.
    std::filesystem::path scenePath;
};

// The count of any document array as the int the file format uses.
template <class T>
int Count(const std::vector<T>& array) {
    return static_cast<int>(array.size());
}

// Releases every array, in the order lights, cameras, groups, bones,
// materials, vertices, triangles, UV sets, face lists, animations; zeroes the
// file counts, the version, the legacy UV count and the stored-part flags.
// An exporter's scene also forgets its path.
void ClearScene(TVXScene& scene);

}  // namespace tvx
