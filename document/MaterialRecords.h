// Materials and their texture maps.
//
// A map's kind selects its payload. Kinds 1, 2, 3, 6 and 7 (and any unknown
// kind, which takes the kind-1 shape) carry one file name with a few ints and
// floats, as prefixes of one common field list; kind 4 carries weighted
// entries (a layered map) and kind 5 six file names (a cube map). A map's kind
// never changes after creation, and within one material no two maps share a
// key.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "document/MathTypes.h"
#include "document/TVXString.h"

namespace tvx {

// What a map is for in its material.
enum TVXMapKey : int {
    kMapKeyDiffuse = 0,
    kMapKeyOpacity = 1,
    kMapKeyBump = 2,
    kMapKeySpecular = 3,
};

enum TVXMapKind : int {
    kMapKindBitmap = 1,
    kMapKindLayered = 4,
    kMapKindCube = 5,
};

enum class TVXMapShape {
    SingleFile,  // kinds 1, 2, 3, 6, 7 and every unknown kind
    Layered,     // kind 4
    Cube,        // kind 5
};

TVXMapShape ShapeOfKind(int kind);

// What a file stores after a map's header. Unlike the in-memory shape, a kind
// outside 1..7 stores nothing at all in any layout.
enum class TVXMapPayload { None, SingleFile, Layered, Cube };

TVXMapPayload StoredPayloadOfKind(int kind);

inline constexpr int kMapFlagTileU = 0x100000;
inline constexpr int kMapFlagTileV = 0x200000;
inline constexpr int kMapFlagsAtCreation = 0x310000;
inline constexpr int kCubeFaceCount = 6;

struct TVXMapEntry {
    TVXString fileName;
    int int1 = 0;
    int int2 = 0;
    float weight = 1.0f;
};

struct TVXMap {
    int key = 0;
    int kind = kMapKindBitmap;
    int flags = kMapFlagsAtCreation;
    Vector3 offset{};                      // UV offset in x and y
    Vector3 tiling{1.0f, 1.0f, 1.0f};      // UV scale in x and y
    Vector3 angle{};                       // rotation in degrees in z

    // Single-file kinds. Which of these a kind carries in a file:
    //   1: fileName int1 float1 float2
    //   2: fileName int1 float1 float2 float3 float4 int2 int3
    //   3: fileName int1 float1 float2 int2
    //   6, 7: fileName int1
    TVXString fileName;
    int int1 = 0;
    int int2 = 0;
    int int3 = 0;
    float float1 = 0.0f;
    float float2 = 0.0f;
    float float3 = 0.0f;
    float float4 = 0.0f;

    std::vector<TVXMapEntry> entries;  // kind 4
    std::vector<TVXString> faceNames;  // kind 5: six, faces 1 to 6
};

// Colour slots of a material.
enum TVXMaterialColor : int {
    kColorDiffuse = 0,
    kColorAmbient = 1,
    kColorSlot3 = 2,  // carried only
    kColorSpecular = 3,
    kColorSlot5 = 4,  // carried only
};

inline constexpr int kMaterialFlagTwoSided = 0x2;

struct TVXMaterial {
    TVXString name;
    TVXString secondName;  // no layout stores it
    TVXString thirdName;   // no layout stores it
    int flags = 0;
    std::array<RGBA, 5> colors{};
    float shininess = 0.0f;  // 0..128; the host gets 1 - shininess / 128
    float opacity = 0.0f;
    std::vector<std::optional<TVXMap>> mapSlots;  // each slot empty or one map
    int polygonCount = 0;  // derived after loading
};

// The starting point of a material that the exporter builds from the host:
// flags 1, shininess 128 and opacity 1, unlike an allocated material.
TVXMaterial MakeExportMaterial();

}  // namespace tvx
