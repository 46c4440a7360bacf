#include "tools/tvx/SceneJson.h"

#include <string>

#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadStatusMessage.h"
#include "geometry/PoseTables.h"

namespace tvx::tool {
namespace {

using Json = nlohmann::ordered_json;

Json Text(const TVXString& s) { return s.ToUtf8(); }

template <class... Values>
Json Floats(Values... values) {
    return Json::array({FloatJson(values)...});
}

Json Vec(const Vector3& v) { return Floats(v.x, v.y, v.z); }
Json Quat(const Quaternion& q) { return Floats(q.x, q.y, q.z, q.w); }
Json Colour(const RGBA& c) { return Floats(c.r, c.g, c.b, c.a); }

Json Matrix(const Matrix4& m) {
    Json out = Json::array();
    for (float element : m.m) {
        out.push_back(FloatJson(element));
    }
    return out;
}

Json Transform(const TVXTransform& t) {
    return {{"xAxis", Vec(t.xAxis)},         {"yAxis", Vec(t.yAxis)},   {"zAxis", Vec(t.zAxis)},
            {"position", Vec(t.position)},   {"scale", Vec(t.scale)},   {"matrix", Matrix(t.matrix)},
            {"rotation", Quat(t.rotation)},  {"finalVector", Vec(t.finalVector)}};
}

Json Triangle(const TVXTriangle& t) {
    Json out(t.ints);
    out.push_back(FloatJson(t.value));
    return out;
}

Json Light(const TVXLight& l) {
    return {{"name", Text(l.name)},
            {"lightCode", l.lightCode},
            {"lightType", l.lightType},
            {"transform", Transform(l.transform)},
            {"values", Floats(l.hotspot, l.falloff, l.value3, l.value4, l.intensity, l.attenuationStart,
                              l.attenuationEnd)},
            {"colour", Colour(l.color)}};
}

Json Camera(const TVXCamera& c) {
    return {{"name", Text(c.name)},
            {"cameraInt1", c.cameraInt1},
            {"cameraInt2", c.cameraInt2},
            {"transform", Transform(c.transform)},
            {"fieldOfView", FloatJson(c.fieldOfView)},
            {"nearDistance", FloatJson(c.nearDistance)},
            {"farDistance", FloatJson(c.farDistance)}};
}

// The ints and floats that a single-file kind carries, in file order.
void AddSingleFilePayload(Json& out, const TVXMap& map) {
    out["fileName"] = Text(map.fileName);
    switch (map.kind) {
    case 2:
        out["ints"] = {map.int1, map.int2, map.int3};
        out["floats"] = Floats(map.float1, map.float2, map.float3, map.float4);
        break;
    case 3:
        out["ints"] = {map.int1, map.int2};
        out["floats"] = Floats(map.float1, map.float2);
        break;
    case 6:
    case 7:
        out["ints"] = {map.int1};
        out["floats"] = Json::array();
        break;
    default:
        out["ints"] = {map.int1};
        out["floats"] = Floats(map.float1, map.float2);
        break;
    }
}

Json Map(const TVXMap& map) {
    Json out = {{"key", map.key},
                {"kind", map.kind},
                {"flags", map.flags},
                {"vectorA", Vec(map.offset)},
                {"vectorB", Vec(map.tiling)},
                {"vectorC", Vec(map.angle)}};
    switch (ShapeOfKind(map.kind)) {
    case TVXMapShape::Layered: {
        Json entries = Json::array();
        for (const TVXMapEntry& e : map.entries) {
            entries.push_back(
                {{"fileName", Text(e.fileName)}, {"int1", e.int1}, {"int2", e.int2}, {"weight", FloatJson(e.weight)}});
        }
        out["entries"] = std::move(entries);
        break;
    }
    case TVXMapShape::Cube: {
        Json names = Json::array();
        for (const TVXString& name : map.faceNames) {
            names.push_back(Text(name));
        }
        out["fileNames"] = std::move(names);
        break;
    }
    case TVXMapShape::SingleFile:
        AddSingleFilePayload(out, map);
        break;
    }
    return out;
}

Json Material(const TVXMaterial& m) {
    Json colours = Json::array();
    for (const RGBA& c : m.colors) {
        colours.push_back(Colour(c));
    }
    Json maps = Json::array();
    for (const auto& slot : m.mapSlots) {
        maps.push_back(slot ? Map(*slot) : Json(nullptr));
    }
    return {{"name", Text(m.name)},
            {"flags", m.flags},
            {"colours", std::move(colours)},
            {"value1", FloatJson(m.shininess)},
            {"value2", FloatJson(m.opacity)},
            {"polygonCount", m.polygonCount},
            {"maps", std::move(maps)}};
}

Json Group(const TVXGroup& g) {
    Json table = Json::array();
    for (const TVXGroupMaterial& row : g.materialTable) {
        table.push_back({row.materialIndex, row.polygonCount});
    }
    return {{"name", Text(g.name)},
            {"groupInt1", g.groupInt1},
            {"groupInt2", g.groupInt2},
            {"transform", Transform(g.transform)},
            {"materialTable", std::move(table)}};
}

// A normal only where the file stored one: otherwise it is a zero that no
// file holds.
Json Vertex(const TVXVertex& v, bool withNormal) {
    Json weights = Json::array();
    for (const TVXBoneWeight& w : v.weights) {
        weights.push_back({w.boneIndex, FloatJson(w.weight)});
    }
    Json out = {{"position", Vec(v.position)}};
    if (withNormal) {
        out["normal"] = Vec(v.normal);
    }
    out["colour"] = Colour(v.color);
    out["weights"] = std::move(weights);
    return out;
}

Json UVSet(const TVXUVSet& set) {
    Json coords = Json::array();
    for (const TVXUVCoord& c : set.coords) {
        coords.push_back({c.tag, FloatJson(c.u), FloatJson(c.v)});
    }
    Json triangles = Json::array();
    for (const TVXTriangle& t : set.triangles) {
        triangles.push_back(Triangle(t));
    }
    return {{"name", Text(set.name)}, {"coords", std::move(coords)}, {"triangles", std::move(triangles)}};
}

Json Ints(std::span<const int> values) { return Json(std::vector<int>(values.begin(), values.end())); }

Json Polygon(const TVXPolygon& p) {
    Json uv = Json::array();
    Json uvSecond = Json::array();
    for (int channel = 0; channel < p.uvChannelCount(); ++channel) {
        uv.push_back(Ints(p.uvIndices(channel)));
        uvSecond.push_back(Ints(p.uvSecondIndices(channel)));
    }
    return {{"cornerCount", p.cornerCount()},
            {"uvChannelCount", p.uvChannelCount()},
            {"groupIndex", p.groupIndex},
            {"materialIndex", p.materialIndex},
            {"smoothing", p.smoothing},
            {"vertexIndices", Ints(p.vertexIndices())},
            {"secondIndices", Ints(p.secondIndices())},
            {"uvIndices", std::move(uv)},
            {"uvSecondIndices", std::move(uvSecond)}};
}

Json Bone(const TVXBone& b) {
    return {{"name", Text(b.name)},
            {"parentIndex", b.parentIndex},
            {"transform", Transform(b.transform)},
            {"colour", Colour(b.color)},
            {"weightedVertexCount", b.weightedVertexCount}};
}

Json Track(const TVXBoneTrack& track) {
    Json positions = Json::array();
    for (const auto& k : track.positionKeys) {
        positions.push_back(Floats(k.time, k.position.x, k.position.y, k.position.z));
    }
    Json rotations = Json::array();
    for (const auto& k : track.rotationKeys) {
        rotations.push_back(Floats(k.time, k.rotation.x, k.rotation.y, k.rotation.z, k.rotation.w));
    }
    Json scales = Json::array();
    for (const auto& k : track.scaleKeys) {
        scales.push_back(Floats(k.time, k.scale.x, k.scale.y, k.scale.z));
    }
    return {{"positionKeys", std::move(positions)},
            {"rotationKeys", std::move(rotations)},
            {"scaleKeys", std::move(scales)}};
}

Json Animation(const TVXAnimation& a) {
    Json tracks = Json::array();
    for (const TVXBoneTrack& t : a.tracks) {
        tracks.push_back(Track(t));
    }
    return {{"name", Text(a.name)},
            {"reserved", a.reserved},
            {"start", FloatJson(a.start)},
            {"end", FloatJson(a.end)},
            {"frameRate", FloatJson(a.frameRate)},
            {"tracks", std::move(tracks)}};
}

template <class T, class Convert>
Json ArrayOf(const std::vector<T>& records, Convert convert) {
    Json out = Json::array();
    for (const T& record : records) {
        out.push_back(convert(record));
    }
    return out;
}

Json FileCounts(const TVXFileCounts& c) {
    return {{"lightCount", c.lightCount},       {"cameraCount", c.cameraCount},
            {"materialCount", c.materialCount}, {"groupCount", c.groupCount},
            {"vertexCount", c.vertexCount},     {"triangleCount", c.triangleCount},
            {"uvSetCount", c.uvSetCount},       {"faceListCount", c.faceListCount},
            {"boneCount", c.boneCount},         {"animationCount", c.animationCount},
            {"nameListCount", c.nameListCount}};
}

Json Pose(const BonePose& p) {
    return {{"worldPosition", Vec(p.worldPosition)},
            {"position", Vec(p.position)},
            {"scale", Vec(p.scale)},
            {"rotation", Quat(p.rotation)},
            {"bindLocal", Matrix(p.bindLocal)},
            {"bindWorld", Matrix(p.bindWorld)},
            {"inverseBindWorld", Matrix(p.inverseBindWorld)},
            {"poseLocal", Matrix(p.poseLocal)},
            {"poseWorld", Matrix(p.poseWorld)},
            {"parentIndex", p.parentIndex},
            {"length", FloatJson(p.length)}};
}

}  // namespace

Json SceneJson(const TVXScene& scene) {
    return {{"version", scene.version},
            {"legacyUvCoordCount", scene.legacyUVCoordCount},
            {"fileCounts", FileCounts(scene.fileCounts)},
            {"lights", ArrayOf(scene.lights, Light)},
            {"cameras", ArrayOf(scene.cameras, Camera)},
            {"materials", ArrayOf(scene.materials, Material)},
            {"groups", ArrayOf(scene.groups, Group)},
            {"vertices", ArrayOf(scene.vertices,
                                 [&](const TVXVertex& v) { return Vertex(v, scene.vertexNormalsStored); })},
            {"triangles", ArrayOf(scene.triangles, Triangle)},
            {"uvSets", ArrayOf(scene.uvSets, UVSet)},
            {"faceLists", ArrayOf(scene.faceLists,
                                  [](const TVXFaceList& list) { return ArrayOf(list.polygons, Polygon); })},
            {"bones", ArrayOf(scene.bones, Bone)},
            {"animations", ArrayOf(scene.animations, Animation)}};
}

Json LoadResultJson(int status, const TVXScene& scene) {
    Json out = {{"status", status}, {"message", std::string(LoadStatusMessage(status))}};
    if (status == kLoadOk) {
        out["scene"] = SceneJson(scene);
    }
    return out;
}

Json ProcessedLoadResultJson(int status, const TVXScene& scene, const PoseTables& poses) {
    Json out = LoadResultJson(status, scene);
    if (status != kLoadOk) {
        return out;
    }
    Json& bones = out["scene"]["bones"];
    for (std::size_t i = 0; i < scene.bones.size(); ++i) {
        bones[i]["localMatrix"] = Matrix(scene.bones[i].localMatrix);
        bones[i]["worldMatrix"] = Matrix(scene.bones[i].worldMatrix);
    }
    out["bonePoses"] = ArrayOf(poses.bonePoses, Pose);
    out["posedVertices"] = ArrayOf(poses.posedVertices, [](const PosedVertex& v) { return Vec(v.position); });
    return out;
}

}  // namespace tvx::tool
