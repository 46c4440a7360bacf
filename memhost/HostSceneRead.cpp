#include "memhost/HostSceneRead.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <map>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "memhost/JsonTeardown.h"
#include "memhost/MemHost.h"
#include "memhost/PlacedScenePrice.h"
#include "memhost/UniqueKeyParse.h"

namespace memhost {
namespace {

using Json = nlohmann::json;
using hostapi::Class_ID;
using hostapi::Point3;

// Deeper than anything the format holds (a matrix row inside a node is
// seven levels down), shallow enough that no input can take the parser or
// the destructor of the parsed value deep into the stack.
constexpr int kMaxNesting = 64;

struct ReadError {
    std::string message;
};

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
    throw ReadError{(path.empty() ? std::string("the file") : path) + ": " + what};
}

std::string Child(const std::string& path, const char* key) { return path.empty() ? key : path + "." + key; }

std::string Item(const std::string& path, std::size_t i) { return path + "[" + std::to_string(i) + "]"; }

// The deepest nesting of arrays and objects, strings skipped; stops counting
// once past limit.
int Nesting(std::string_view text, int limit) {
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
            if (deepest > limit) {
                return deepest;
            }
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

// An object's members, with every key checked against the ones allowed.
class Fields {
public:
    Fields(const Json& j, std::string path, std::initializer_list<const char*> allowed)
        : j_(j), path_(std::move(path)) {
        if (!j.is_object()) {
            Fail(path_, std::string("expected an object, found ") + j.type_name());
        }
        for (const auto& item : j.items()) {
            bool known = false;
            for (const char* key : allowed) {
                known = known || item.key() == key;
            }
            if (!known) {
                Fail(path_, "unknown key \"" + item.key() + "\"");
            }
        }
    }

    // Null when absent.
    const Json* find(const char* key) const {
        const auto it = j_.find(key);
        return it == j_.end() ? nullptr : &*it;
    }
    const Json& need(const char* key) const {
        const Json* found = find(key);
        if (!found) {
            Fail(path_, std::string("the key \"") + key + "\" is missing");
        }
        return *found;
    }
    std::string at(const char* key) const { return Child(path_, key); }
    const std::string& path() const { return path_; }

private:
    const Json& j_;
    std::string path_;
};

std::int64_t Integer(const Json& j, const std::string& path, std::int64_t lo, std::int64_t hi) {
    if (!j.is_number_integer()) {
        Fail(path, std::string("expected an integer, found ") + (j.is_number() ? "a fraction" : j.type_name()));
    }
    if (j.is_number_unsigned()) {
        const auto u = j.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(hi) || static_cast<std::int64_t>(u) < lo) {
            Fail(path, std::to_string(u) + " is outside " + std::to_string(lo) + ".." + std::to_string(hi));
        }
        return static_cast<std::int64_t>(u);
    }
    const auto v = j.get<std::int64_t>();
    if (v < lo || v > hi) {
        Fail(path, std::to_string(v) + " is outside " + std::to_string(lo) + ".." + std::to_string(hi));
    }
    return v;
}

int Int(const Json& j, const std::string& path, std::int64_t lo = std::numeric_limits<int>::min(),
        std::int64_t hi = std::numeric_limits<int>::max()) {
    return static_cast<int>(Integer(j, path, lo, hi));
}

hostapi::ULONG Ulong(const Json& j, const std::string& path) {
    return static_cast<hostapi::ULONG>(Integer(j, path, 0, 0xFFFFFFFFll));
}

float FloatValue(const Json& j, const std::string& path) {
    if (j.is_string()) {
        const auto& s = j.get_ref<const std::string&>();
        if (s == "NaN") {
            return std::numeric_limits<float>::quiet_NaN();
        }
        if (s == "Infinity") {
            return std::numeric_limits<float>::infinity();
        }
        if (s == "-Infinity") {
            return -std::numeric_limits<float>::infinity();
        }
        Fail(path, "\"" + s + "\" is no number");
    }
    if (!j.is_number()) {
        Fail(path, std::string("expected a number, found ") + j.type_name());
    }
    const double d = j.get<double>();
    if (!(std::fabs(d) <= static_cast<double>(FLT_MAX))) {
        Fail(path, "the number is too large for a float");
    }
    return static_cast<float>(d);
}

bool Boolean(const Json& j, const std::string& path) {
    if (!j.is_boolean()) {
        Fail(path, std::string("expected true or false, found ") + j.type_name());
    }
    return j.get<bool>();
}

const std::string& Text(const Json& j, const std::string& path) {
    if (!j.is_string()) {
        Fail(path, std::string("expected a string, found ") + j.type_name());
    }
    return j.get_ref<const std::string&>();
}

const Json& Array(const Json& j, const std::string& path) {
    if (!j.is_array()) {
        Fail(path, std::string("expected an array, found ") + j.type_name());
    }
    return j;
}

const Json& Tuple(const Json& j, const std::string& path, std::size_t n) {
    Array(j, path);
    if (j.size() != n) {
        Fail(path, "expected " + std::to_string(n) + " elements, found " + std::to_string(j.size()));
    }
    return j;
}

Point3 Vec3(const Json& j, const std::string& path) {
    Tuple(j, path, 3);
    return Point3(FloatValue(j[0], Item(path, 0)), FloatValue(j[1], Item(path, 1)), FloatValue(j[2], Item(path, 2)));
}

hostapi::Color Rgb(const Json& j, const std::string& path) {
    const Point3 p = Vec3(j, path);
    return hostapi::Color(p.x, p.y, p.z);
}

hostapi::Matrix3 Rows(const Json& j, const std::string& path) {
    Tuple(j, path, 4);
    hostapi::Matrix3 m;
    for (std::size_t r = 0; r < 4; ++r) {
        m.SetRow(static_cast<int>(r), Vec3(j[r], Item(path, r)));
    }
    return m;
}

Class_ID ClassIdValue(const Json& j, const std::string& path) {
    Tuple(j, path, 2);
    return Class_ID(Ulong(j[0], Item(path, 0)), Ulong(j[1], Item(path, 1)));
}

std::string ClassText(Class_ID id) { return "(" + HexText(id.PartA()) + ", " + HexText(id.PartB()) + ")"; }

// An id into a list of count items of the kind what; -1 for null when
// nullable.
int Ref(const Json& j, const std::string& path, std::size_t count, const char* what, bool nullable) {
    if (j.is_null() && nullable) {
        return -1;
    }
    if (!j.is_number_integer()) {
        Fail(path, std::string("expected ") + (nullable ? "null or " : "") + "the id of a " + what + ", found " +
                       j.type_name());
    }
    const bool negative = !j.is_number_unsigned() && j.get<std::int64_t>() < 0;
    if (negative || j.get<std::uint64_t>() >= count) {
        Fail(path, std::string("there is no ") + what + " " + j.dump() + " (there are " + std::to_string(count) + ")");
    }
    return static_cast<int>(j.get<std::uint64_t>());
}

// Class ids that belong to a kind of their own, which an object of another
// kind must not claim: code that trusts a class id to cast would misread it.
bool ReservedObjectClass(Class_ID id) {
    using namespace hostapi;
    for (const Class_ID reserved :
         {triObjectClassID, BONE_OBJ_CLASSID, derivObjClassID, WSMDerivObjClassID, TARGET_CLASS_ID, OMNI_LIGHT_CLASS_ID,
          SPOT_LIGHT_CLASS_ID, DIR_LIGHT_CLASS_ID, FSPOT_LIGHT_CLASS_ID, TDIR_LIGHT_CLASS_ID, SIMPLE_CAM_CLASS_ID,
          LOOKAT_CAM_CLASS_ID}) {
        if (id == reserved) {
            return true;
        }
    }
    return false;
}

bool ReservedTexmapClass(Class_ID id) {
    using namespace hostapi;
    for (const Class_ID reserved : {Class_ID(BMTEX_CLASS_ID, 0), Class_ID(RGBMULT_CLASS_ID, 0),
                                    Class_ID(MIX_CLASS_ID, 0), Class_ID(COMPOSITE_CLASS_ID, 0), GNORMAL_CLASS_ID}) {
        if (id == reserved) {
            return true;
        }
    }
    return false;
}

// The item's "id" must be its index.
void CheckId(const Fields& f, std::size_t index) {
    const Json& id = f.need("id");
    // A parsed integer that is not negative is held as an unsigned one.
    if (!id.is_number_unsigned() || id.get<std::uint64_t>() != index) {
        Fail(f.at("id"),
             "expected " + std::to_string(index) + " (an id is the item's place in its list), found " + id.dump());
    }
}

const std::string& KindOf(const Json& j, const std::string& path) {
    if (!j.is_object()) {
        Fail(path, std::string("expected an object, found ") + j.type_name());
    }
    const auto it = j.find("kind");
    if (it == j.end()) {
        Fail(path, "the key \"kind\" is missing");
    }
    return Text(*it, Child(path, "kind"));
}

const Json kEmptyArray = Json::array();

// A member of an object already known to be one, or null.
const Json* Member(const Json& j, const char* key) {
    const auto it = j.find(key);
    return it == j.end() ? nullptr : &*it;
}

const Json& OptionalArray(const Fields& f, const char* key) {
    const Json* found = f.find(key);
    return found ? Array(*found, f.at(key)) : kEmptyArray;
}

constexpr std::initializer_list<const char*> kMeshKeys = {
    "vertices", "faces", "faceMaterialIds", "faceSmoothingGroups", "faceEdgeVisibility", "mapChannels",
    "specifiedNormals"};

// An array beside `count` others, or none at all.
const Json* BesideArray(const Fields& f, const char* key, std::size_t count, const char* what) {
    const Json* found = f.find(key);
    if (found != nullptr && Array(*found, f.at(key)).size() != count) {
        Fail(f.at(key), "has " + std::to_string(found->size()) + " entries for " + std::to_string(count) + " " + what);
    }
    return found;
}

// Like a map channel, the normals have a face for every face of the mesh, and
// its normal ids may point past its normals: readers of the mesh check.
std::unique_ptr<MemMeshNormals> SpecifiedNormals(HostContext& context, const Json& j, const std::string& path,
                                                std::size_t meshFaces) {
    const Fields f(j, path, {"normals", "explicit", "faces", "specified"});
    MemMeshNormals::Content content;
    const Json& normals = OptionalArray(f, "normals");
    for (std::size_t i = 0; i < normals.size(); ++i) {
        content.normals.push_back(Vec3(normals[i], Item(f.at("normals"), i)));
    }
    content.explicitNormals.assign(normals.size(), false);
    if (const Json* flags = BesideArray(f, "explicit", normals.size(), "normals")) {
        for (std::size_t i = 0; i < flags->size(); ++i) {
            content.explicitNormals[i] = Boolean((*flags)[i], Item(f.at("explicit"), i));
        }
    }
    const Json& faces = OptionalArray(f, "faces");
    if (faces.size() != meshFaces) {
        Fail(f.at("faces"), "has " + std::to_string(faces.size()) + " faces for the mesh's " + std::to_string(meshFaces));
    }
    for (std::size_t i = 0; i < faces.size(); ++i) {
        const std::string at = Item(f.at("faces"), i);
        const Json& ids = Tuple(faces[i], at, 3);
        hostapi::MeshNormalFace& face = content.faces.emplace_back();
        for (int c = 0; c < 3; ++c) {
            face.SetNormalID(c, Int(ids[static_cast<std::size_t>(c)], Item(at, static_cast<std::size_t>(c)), -1));
        }
    }
    if (const Json* specified = BesideArray(f, "specified", faces.size(), "faces")) {
        for (std::size_t i = 0; i < specified->size(); ++i) {
            const int bits = Int((*specified)[i], Item(f.at("specified"), i), 0, 7);
            for (int c = 0; c < 3; ++c) {
                content.faces[i].SetSpecified(c, (bits & (1 << c)) != 0);
            }
        }
    }
    return std::make_unique<MemMeshNormals>(context, std::move(content));
}

}  // namespace

class HostSceneReader {
public:
    explicit HostSceneReader(MemHost& host) : host_(host), c_(host.context_) {}

    void Scene(const Json& j, const std::string& path);
    void TakeExportPrice(bool sampled, SceneBudget& budget) const { TakePlacedScene(c_, sampled, budget); }

private:
    void CreateNodes(const Json& list);
    void CreateObjects(const Json& list, const std::string& path);
    void CreateModifiers(const Json& list, const std::string& path);
    void CreateMaterials(const Json& list, const std::string& path);
    void CreateTexmaps(const Json& list, const std::string& path);
    void FillTexmap(const Json& j, const std::string& path, MemEntity& entity);
    void FillMaterial(const Json& j, const std::string& path, MemEntity& entity);
    void FillObject(const Json& j, const std::string& path, MemEntity& entity);
    void FillModifier(const Json& j, const std::string& path, MemEntity& entity);
    void FillNode(const Json& j, const std::string& path, MemNode& node);
    void Animation(const Json& j, const std::string& path);
    void MaterialEditor(const Json& list, const std::string& path);
    void CheckHierarchy(const std::string& path);
    void CheckDerivedChains(const std::string& path);
    void CheckNoLoops(const std::vector<std::unique_ptr<MemEntity>>& list, const std::string& path, const char* what,
                      const char* key, const std::vector<std::vector<int>>& edges);

    std::unique_ptr<MemMesh> NewMesh(const Json& j, const std::string& path);
    void ReadMesh(const Fields& f, MemMesh& mesh);
    template <class Controller>
    void ReadKeys(const Json& j, const std::string& path, const char* kind, std::size_t width, Controller& controller);
    void ReadControllers(const Json& j, const std::string& path, MemNode& node);

    MemEntity* NodeRef(const Json& j, const std::string& path, bool nullable);
    std::vector<MemEntity*> RefList(const Json& j, const std::string& path,
                                    const std::vector<std::unique_ptr<MemEntity>>& list, const char* what,
                                    std::size_t exactly = 0);

    MemHost& host_;
    HostContext& c_;
    // Sub-material and sub-map links, for the loop check.
    std::vector<std::vector<int>> materialLinks_;
    std::vector<std::vector<int>> texmapLinks_;
};

void HostSceneReader::Scene(const Json& j, const std::string& path) {
    const Fields f(j, path, {"animation", "nodes", "objects", "modifiers", "materials", "texmaps", "materialEditor"});
    const Json& nodes = OptionalArray(f, "nodes");
    const Json& objects = OptionalArray(f, "objects");
    const Json& modifiers = OptionalArray(f, "modifiers");
    const Json& materials = OptionalArray(f, "materials");
    const Json& texmaps = OptionalArray(f, "texmaps");

    // Everything is made first, so that references by id can point forwards.
    CreateNodes(nodes);
    CreateObjects(objects, f.at("objects"));
    CreateModifiers(modifiers, f.at("modifiers"));
    CreateMaterials(materials, f.at("materials"));
    CreateTexmaps(texmaps, f.at("texmaps"));

    materialLinks_.resize(c_.materials.size());
    texmapLinks_.resize(c_.texmaps.size());
    for (std::size_t i = 0; i < texmaps.size(); ++i) {
        FillTexmap(texmaps[i], Item(f.at("texmaps"), i), *c_.texmaps[i]);
    }
    for (std::size_t i = 0; i < materials.size(); ++i) {
        FillMaterial(materials[i], Item(f.at("materials"), i), *c_.materials[i]);
    }
    for (std::size_t i = 0; i < objects.size(); ++i) {
        FillObject(objects[i], Item(f.at("objects"), i), *c_.objects[i]);
    }
    CheckDerivedChains(f.at("objects"));
    for (std::size_t i = 0; i < modifiers.size(); ++i) {
        FillModifier(modifiers[i], Item(f.at("modifiers"), i), *c_.modifiers[i]);
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        FillNode(nodes[i], Item(f.at("nodes"), i), *c_.nodes[i]);
    }
    CheckHierarchy(f.at("nodes"));
    CheckNoLoops(c_.materials, f.at("materials"), "material", "subMaterials", materialLinks_);
    CheckNoLoops(c_.texmaps, f.at("texmaps"), "texture map", "subTexmaps", texmapLinks_);
    if (const Json* animation = f.find("animation")) {
        Animation(*animation, f.at("animation"));
    }
    MaterialEditor(OptionalArray(f, "materialEditor"), f.at("materialEditor"));
}

void HostSceneReader::CreateNodes(const Json& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        c_.nodes.push_back(std::make_unique<MemNode>(c_, static_cast<int>(i)));
    }
}

void HostSceneReader::CreateObjects(const Json& list, const std::string& path) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string at = Item(path, i);
        const std::string& kind = KindOf(list[i], at);
        const Json& j = list[i];
        if (kind == "mesh") {
            c_.Adopt<MemTriObject>(c_.objects);
        } else if (kind == "geometry") {
            const Fields f(j, at,
                           {"id", "kind", "classId", "vertices", "faces", "faceMaterialIds", "faceSmoothingGroups",
                            "faceEdgeVisibility", "mapChannels", "specifiedNormals"});
            const Class_ID id = ClassIdValue(f.need("classId"), f.at("classId"));
            if (ReservedObjectClass(id)) {
                Fail(f.at("classId"), "the class " + ClassText(id) + " is that of another kind of object");
            }
            c_.Adopt<MemGeometry>(c_.objects, id);
        } else if (kind == "light") {
            const Json* type = Member(j, "type");
            c_.Adopt<MemLight>(c_.objects, type
                                               ? Int(*type, Child(at, "type"), hostapi::OMNI_LIGHT, hostapi::TDIR_LIGHT)
                                               : hostapi::OMNI_LIGHT);
        } else if (kind == "camera") {
            const Json* type = Member(j, "type");
            c_.Adopt<MemCamera>(c_.objects,
                                type ? Int(*type, Child(at, "type"), hostapi::FREE_CAMERA, hostapi::TARGETED_CAMERA)
                                     : hostapi::FREE_CAMERA);
        } else if (kind == "bone") {
            c_.Adopt<MemBoneObject>(c_.objects);
        } else if (kind == "helper") {
            Class_ID id = hostapi::DUMMY_CLASS_ID;
            if (const Json* classId = Member(j, "classId")) {
                id = ClassIdValue(*classId, Child(at, "classId"));
                if (ReservedObjectClass(id)) {
                    Fail(Child(at, "classId"), "the class " + ClassText(id) + " is that of another kind of object");
                }
            }
            c_.Adopt<MemHelper>(c_.objects, id);
        } else if (kind == "target") {
            c_.Adopt<MemTarget>(c_.objects);
        } else if (kind == "derived") {
            c_.Adopt<MemDerivedObject>(c_.objects);
        } else {
            Fail(Child(at, "kind"), "unknown object kind \"" + kind + "\"");
        }
    }
}

void HostSceneReader::CreateModifiers(const Json& list, const std::string& path) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string at = Item(path, i);
        const std::string& kind = KindOf(list[i], at);
        if (kind == "skin") {
            c_.Adopt<MemSkin>(c_.modifiers);
        } else if (kind == "physique") {
            c_.Adopt<MemPhysique>(c_.modifiers);
        } else if (kind == "other") {
            const Fields f(list[i], at, {"id", "kind", "classId", "superClass"});
            const Class_ID id = ClassIdValue(f.need("classId"), f.at("classId"));
            if (id == hostapi::SKIN_CLASSID || id == hostapi::PHYSIQUE_CLASS_ID) {
                Fail(f.at("classId"), "the class " + ClassText(id) + " is that of another kind of modifier");
            }
            const Json* super = f.find("superClass");
            c_.Adopt<MemOtherModifier>(c_.modifiers, id,
                                       super ? Ulong(*super, f.at("superClass")) : hostapi::OSM_CLASS_ID);
        } else {
            Fail(Child(at, "kind"), "unknown modifier kind \"" + kind + "\"");
        }
    }
}

void HostSceneReader::CreateMaterials(const Json& list, const std::string& path) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string at = Item(path, i);
        const std::string& kind = KindOf(list[i], at);
        if (kind == "multi") {
            c_.Adopt<MemMultiMtl>(c_.materials);
        } else if (kind == "standard") {
            c_.Adopt<MemStdMat>(c_.materials);
        } else if (kind == "other") {
            const Json* classId = Member(list[i], "classId");
            if (!classId) {
                Fail(at, "the key \"classId\" is missing");
            }
            const Class_ID id = ClassIdValue(*classId, Child(at, "classId"));
            if (id == Class_ID(hostapi::DMTL_CLASS_ID, 0) || id == Class_ID(hostapi::MULTI_CLASS_ID, 0)) {
                Fail(Child(at, "classId"), "the class " + ClassText(id) + " is that of another kind of material");
            }
            c_.Adopt<MemOtherMtl>(c_.materials, id);
        } else {
            Fail(Child(at, "kind"), "unknown material kind \"" + kind + "\"");
        }
    }
}

void HostSceneReader::CreateTexmaps(const Json& list, const std::string& path) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string at = Item(path, i);
        const std::string& kind = KindOf(list[i], at);
        if (kind == "bitmap") {
            c_.Adopt<MemBitmapTex>(c_.texmaps);
        } else if (kind == "rgbMultiply") {
            c_.Adopt<MemRGBMultiply>(c_.texmaps);
        } else if (kind == "mix") {
            c_.Adopt<MemContainerTex>(c_.texmaps, Class_ID(hostapi::MIX_CLASS_ID, 0));
        } else if (kind == "composite") {
            c_.Adopt<MemContainerTex>(c_.texmaps, Class_ID(hostapi::COMPOSITE_CLASS_ID, 0));
        } else if (kind == "normalBump") {
            c_.Adopt<MemContainerTex>(c_.texmaps, hostapi::GNORMAL_CLASS_ID);
        } else if (kind == "other") {
            const Json* classId = Member(list[i], "classId");
            if (!classId) {
                Fail(at, "the key \"classId\" is missing");
            }
            const Class_ID id = ClassIdValue(*classId, Child(at, "classId"));
            if (ReservedTexmapClass(id)) {
                Fail(Child(at, "classId"), "the class " + ClassText(id) + " is that of another kind of texture map");
            }
            c_.Adopt<MemContainerTex>(c_.texmaps, id);
        } else {
            Fail(Child(at, "kind"), "unknown texture map kind \"" + kind + "\"");
        }
    }
}

MemEntity* HostSceneReader::NodeRef(const Json& j, const std::string& path, bool nullable) {
    const int id = Ref(j, path, c_.nodes.size(), "node", nullable);
    return id < 0 ? nullptr : c_.nodes[static_cast<std::size_t>(id)].get();
}

std::vector<MemEntity*> HostSceneReader::RefList(const Json& j, const std::string& path,
                                                 const std::vector<std::unique_ptr<MemEntity>>& list, const char* what,
                                                 std::size_t exactly) {
    if (exactly != 0) {
        Tuple(j, path, exactly);
    } else {
        Array(j, path);
    }
    std::vector<MemEntity*> out;
    for (std::size_t i = 0; i < j.size(); ++i) {
        const int id = Ref(j[i], Item(path, i), list.size(), what, true);
        out.push_back(id < 0 ? nullptr : list[static_cast<std::size_t>(id)].get());
    }
    return out;
}

namespace {

std::vector<int> Ids(const std::vector<MemEntity*>& entities) {
    std::vector<int> out;
    for (const MemEntity* e : entities) {
        if (e) {
            out.push_back(e->id());
        }
    }
    return out;
}

template <class T>
void ReadName(const Fields& f, T& item) {
    if (const Json* name = f.find("name")) {
        item.SetNameUtf8(Text(*name, f.at("name")));
    }
    if (const Json* flags = f.find("mtlFlags")) {
        item.SetFlags(Int(*flags, f.at("mtlFlags")));
    }
}

}  // namespace

void HostSceneReader::FillTexmap(const Json& j, const std::string& path, MemEntity& entity) {
    const auto slots = static_cast<std::size_t>(entity.id());
    if (auto* bitmap = dynamic_cast<MemBitmapTex*>(&entity)) {
        const Fields f(j, path, {"id", "kind", "name", "mtlFlags", "fileName", "uvGen"});
        CheckId(f, slots);
        ReadName(f, *bitmap);
        if (const Json* file = f.find("fileName")) {
            bitmap->SetMapNameUtf8(Text(*file, f.at("fileName")));
        }
        if (const Json* uvGen = f.find("uvGen")) {
            const Fields u(*uvGen, f.at("uvGen"),
                           {"uOffset", "vOffset", "uScale", "vScale", "wAngle", "tiling", "mapChannel"});
            MemUVGen::Values v;
            auto number = [&u](const char* key, float& out) {
                if (const Json* found = u.find(key)) {
                    out = FloatValue(*found, u.at(key));
                }
            };
            number("uOffset", v.uOffset);
            number("vOffset", v.vOffset);
            number("uScale", v.uScale);
            number("vScale", v.vScale);
            number("wAngle", v.wAngle);
            if (const Json* tiling = u.find("tiling")) {
                v.tiling = Int(*tiling, u.at("tiling"));
            }
            if (const Json* channel = u.find("mapChannel")) {
                v.mapChannel = Int(*channel, u.at("mapChannel"), 1, hostapi::MAX_MESHMAPS - 1);
            }
            bitmap->uvGen().Load(v);
        }
        return;
    }
    const Fields f(j, path, {"id", "kind", "name", "mtlFlags", "classId", "subTexmaps"});
    CheckId(f, slots);
    if (auto* multiply = dynamic_cast<MemRGBMultiply*>(&entity)) {
        ReadName(f, *multiply);
        std::array<MemEntity*, 2> subs{};
        if (const Json* list = f.find("subTexmaps")) {
            const std::vector<MemEntity*> read = RefList(*list, f.at("subTexmaps"), c_.texmaps, "texture map", 2);
            subs = {read[0], read[1]};
        }
        multiply->LoadSubTexmaps(subs);
        texmapLinks_[slots] = Ids({subs[0], subs[1]});
        return;
    }
    auto& container = dynamic_cast<MemContainerTex&>(entity);
    ReadName(f, container);
    const Class_ID id = container.classId();
    const std::size_t exactly = id == Class_ID(hostapi::MIX_CLASS_ID, 0) ? 3 : id == hostapi::GNORMAL_CLASS_ID ? 2 : 0;
    std::vector<MemEntity*> subs(exactly, nullptr);
    if (const Json* list = f.find("subTexmaps")) {
        subs = RefList(*list, f.at("subTexmaps"), c_.texmaps, "texture map", exactly);
    }
    texmapLinks_[slots] = Ids(subs);
    container.LoadSubTexmaps(std::move(subs));
}

void HostSceneReader::FillMaterial(const Json& j, const std::string& path, MemEntity& entity) {
    const auto index = static_cast<std::size_t>(entity.id());
    if (auto* standard = dynamic_cast<MemStdMat*>(&entity)) {
        const Fields f(j, path,
                       {"id", "kind", "name", "mtlFlags", "diffuse", "ambient", "specular", "shininess",
                        "selfIllumination", "opacity", "twoSided", "maps", "activeTexmap"});
        CheckId(f, index);
        ReadName(f, *standard);
        MemStdMat::Values v{standard->diffuse(),   standard->ambient(), standard->specular(), standard->shininess(),
                            standard->selfIllum(), standard->opacity(), standard->twoSided()};
        auto colour = [&f](const char* key, hostapi::Color& out) {
            if (const Json* found = f.find(key)) {
                out = Rgb(*found, f.at(key));
            }
        };
        auto number = [&f](const char* key, float& out) {
            if (const Json* found = f.find(key)) {
                out = FloatValue(*found, f.at(key));
            }
        };
        colour("diffuse", v.diffuse);
        colour("ambient", v.ambient);
        colour("specular", v.specular);
        number("shininess", v.shininess);
        number("selfIllumination", v.selfIllum);
        number("opacity", v.opacity);
        if (const Json* twoSided = f.find("twoSided")) {
            v.twoSided = Boolean(*twoSided, f.at("twoSided"));
        }
        std::array<MemStdMat::MapSlot, hostapi::NTEXMAPS> maps{};
        std::set<int> seen;
        const Json& list = OptionalArray(f, "maps");
        for (std::size_t i = 0; i < list.size(); ++i) {
            const Fields m(list[i], Item(f.at("maps"), i), {"slot", "texmap", "amount", "enabled"});
            const int slot = Int(m.need("slot"), m.at("slot"), 0, hostapi::NTEXMAPS - 1);
            if (!seen.insert(slot).second) {
                Fail(m.at("slot"), "map slot " + std::to_string(slot) + " is given twice");
            }
            MemStdMat::MapSlot& out = maps[static_cast<std::size_t>(slot)];
            if (const Json* texmap = m.find("texmap")) {
                const int id = Ref(*texmap, m.at("texmap"), c_.texmaps.size(), "texture map", true);
                out.texmap = id < 0 ? nullptr : c_.texmaps[static_cast<std::size_t>(id)].get();
            }
            if (const Json* amount = m.find("amount")) {
                out.amount = FloatValue(*amount, m.at("amount"));
            }
            if (const Json* enabled = m.find("enabled")) {
                out.enabled = Boolean(*enabled, m.at("enabled"));
            }
        }
        MemEntity* active = nullptr;
        if (const Json* found = f.find("activeTexmap")) {
            const int id = Ref(*found, f.at("activeTexmap"), c_.texmaps.size(), "texture map", true);
            active = id < 0 ? nullptr : c_.texmaps[static_cast<std::size_t>(id)].get();
        }
        standard->Load(v, maps, active);
        return;
    }
    if (auto* multi = dynamic_cast<MemMultiMtl*>(&entity)) {
        const Fields f(j, path, {"id", "kind", "name", "mtlFlags", "subMaterials"});
        CheckId(f, index);
        ReadName(f, *multi);
        std::vector<MemEntity*> subs;
        if (const Json* list = f.find("subMaterials")) {
            subs = RefList(*list, f.at("subMaterials"), c_.materials, "material");
        }
        materialLinks_[index] = Ids(subs);
        multi->LoadSubMaterials(std::move(subs));
        return;
    }
    auto& other = dynamic_cast<MemOtherMtl&>(entity);
    const Fields f(j, path, {"id", "kind", "name", "mtlFlags", "classId", "subMaterials", "subTexmaps"});
    CheckId(f, index);
    ReadName(f, other);
    std::vector<MemEntity*> subs;
    std::vector<MemEntity*> texmaps;
    if (const Json* list = f.find("subMaterials")) {
        subs = RefList(*list, f.at("subMaterials"), c_.materials, "material");
    }
    if (const Json* list = f.find("subTexmaps")) {
        texmaps = RefList(*list, f.at("subTexmaps"), c_.texmaps, "texture map");
    }
    materialLinks_[index] = Ids(subs);
    other.Load(std::move(subs), std::move(texmaps));
}

std::unique_ptr<MemMesh> HostSceneReader::NewMesh(const Json& j, const std::string& path) {
    if (j.is_null()) {
        return nullptr;
    }
    const Fields f(j, path, kMeshKeys);
    auto mesh = std::make_unique<MemMesh>(c_);
    ReadMesh(f, *mesh);
    return mesh;
}

void HostSceneReader::ReadMesh(const Fields& f, MemMesh& mesh) {
    std::vector<Point3> verts;
    const Json& vertices = OptionalArray(f, "vertices");
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        verts.push_back(Vec3(vertices[i], Item(f.at("vertices"), i)));
    }
    std::vector<hostapi::Face> faces;
    const Json& faceList = OptionalArray(f, "faces");
    for (std::size_t i = 0; i < faceList.size(); ++i) {
        const std::string at = Item(f.at("faces"), i);
        const Json& corners = Tuple(faceList[i], at, 3);
        hostapi::Face face;
        for (std::size_t k = 0; k < 3; ++k) {
            const Json& v = corners[k];
            if (!v.is_number_integer() || (!v.is_number_unsigned() && v.get<std::int64_t>() < 0) ||
                v.get<std::uint64_t>() >= verts.size()) {
                Fail(Item(at, k),
                     "there is no vertex " + v.dump() + " (the mesh has " + std::to_string(verts.size()) + ")");
            }
            face.v[k] = static_cast<hostapi::DWORD>(v.get<std::uint64_t>());
        }
        face.setEdgeVisFlags(1, 1, 1);
        faces.push_back(face);
    }
    // The arrays that run beside the faces.
    auto beside = [&](const char* key, auto apply, std::int64_t hi) {
        const Json* found = f.find(key);
        if (!found) {
            return;
        }
        Array(*found, f.at(key));
        if (found->size() != faces.size()) {
            Fail(f.at(key),
                 "has " + std::to_string(found->size()) + " entries for " + std::to_string(faces.size()) + " faces");
        }
        for (std::size_t i = 0; i < faces.size(); ++i) {
            apply(faces[i], Integer((*found)[i], Item(f.at(key), i), 0, hi));
        }
    };
    beside(
        "faceMaterialIds", [](hostapi::Face& face, std::int64_t v) { face.setMatID(static_cast<hostapi::MtlID>(v)); },
        0xFFFF);
    beside(
        "faceSmoothingGroups",
        [](hostapi::Face& face, std::int64_t v) { face.setSmGroup(static_cast<hostapi::DWORD>(v)); }, 0xFFFFFFFFll);
    beside(
        "faceEdgeVisibility",
        [](hostapi::Face& face, std::int64_t v) {
            face.flags = (face.flags & ~hostapi::EDGE_ALL) | static_cast<hostapi::DWORD>(v);
        },
        hostapi::EDGE_ALL);

    std::map<int, MemMesh::MapChannel> channels;
    const Json& mapChannels = OptionalArray(f, "mapChannels");
    for (std::size_t i = 0; i < mapChannels.size(); ++i) {
        const Fields m(mapChannels[i], Item(f.at("mapChannels"), i), {"channel", "vertices", "faces"});
        const int number = Int(m.need("channel"), m.at("channel"), -hostapi::NUM_HIDDENMAPS, hostapi::MAX_MESHMAPS - 1);
        MemMesh::MapChannel channel;
        const Json& mapVerts = OptionalArray(m, "vertices");
        for (std::size_t k = 0; k < mapVerts.size(); ++k) {
            channel.verts.push_back(Vec3(mapVerts[k], Item(m.at("vertices"), k)));
        }
        const Json& mapFaces = OptionalArray(m, "faces");
        if (mapFaces.size() != faces.size()) {
            Fail(m.at("faces"),
                 "has " + std::to_string(mapFaces.size()) + " faces for the mesh's " + std::to_string(faces.size()));
        }
        for (std::size_t k = 0; k < mapFaces.size(); ++k) {
            const std::string at = Item(m.at("faces"), k);
            const Json& corners = Tuple(mapFaces[k], at, 3);
            hostapi::TVFace face;
            // A map face may point outside its channel's vertices; readers
            // of the mesh check.
            for (std::size_t c = 0; c < 3; ++c) {
                face.t[c] = Ulong(corners[c], Item(at, c));
            }
            channel.faces.push_back(face);
        }
        if (!channels.emplace(number, std::move(channel)).second) {
            Fail(m.at("channel"), "map channel " + std::to_string(number) + " is given twice");
        }
    }
    std::unique_ptr<MemMeshNormals> normals;
    if (const Json* userNormals = f.find("specifiedNormals")) {
        normals = SpecifiedNormals(c_, *userNormals, f.at("specifiedNormals"), faces.size());
    }
    mesh.Assign(std::move(verts), std::move(faces), std::move(channels), std::move(normals));
}

void HostSceneReader::FillObject(const Json& j, const std::string& path, MemEntity& entity) {
    const auto index = static_cast<std::size_t>(entity.id());
    if (auto* tri = dynamic_cast<MemTriObject*>(&entity)) {
        const Fields f(j, path,
                       {"id", "kind", "vertices", "faces", "faceMaterialIds", "faceSmoothingGroups",
                        "faceEdgeVisibility", "mapChannels", "specifiedNormals"});
        CheckId(f, index);
        ReadMesh(f, tri->mesh());
    } else if (auto* geometry = dynamic_cast<MemGeometry*>(&entity)) {
        const Fields f(j, path,
                       {"id", "kind", "classId", "vertices", "faces", "faceMaterialIds", "faceSmoothingGroups",
                        "faceEdgeVisibility", "mapChannels", "specifiedNormals"});
        CheckId(f, index);
        ReadMesh(f, geometry->mesh());
    } else if (auto* light = dynamic_cast<MemLight*>(&entity)) {
        const Fields f(j, path,
                       {"id", "kind", "type", "color", "intensity", "hotspot", "falloff", "attenuation", "useLight",
                        "useAttenuation", "ambientOnly", "mesh"});
        CheckId(f, index);
        if (const Json* color = f.find("color")) {
            light->SetRGBColor(0, Vec3(*color, f.at("color")));
        }
        if (const Json* v = f.find("intensity")) {
            light->SetIntensity(0, FloatValue(*v, f.at("intensity")));
        }
        if (const Json* v = f.find("hotspot")) {
            light->SetHotspot(0, FloatValue(*v, f.at("hotspot")));
        }
        if (const Json* v = f.find("falloff")) {
            light->SetFallsize(0, FloatValue(*v, f.at("falloff")));
        }
        if (const Json* v = f.find("attenuation")) {
            Tuple(*v, f.at("attenuation"), 4);
            for (std::size_t k = 0; k < 4; ++k) {
                light->SetAtten(0, static_cast<int>(k), FloatValue((*v)[k], Item(f.at("attenuation"), k)));
            }
        }
        if (const Json* v = f.find("useLight")) {
            light->SetUseLight(Boolean(*v, f.at("useLight")));
        }
        if (const Json* v = f.find("useAttenuation")) {
            light->SetUseAtten(Boolean(*v, f.at("useAttenuation")));
        }
        if (const Json* v = f.find("ambientOnly")) {
            light->SetAmbientOnly(Boolean(*v, f.at("ambientOnly")));
        }
        if (const Json* v = f.find("mesh")) {
            light->convertible().Set(NewMesh(*v, f.at("mesh")));
        }
    } else if (auto* camera = dynamic_cast<MemCamera*>(&entity)) {
        const Fields f(j, path, {"id", "kind", "type", "fov", "clip", "manualClip", "envRange", "mesh"});
        CheckId(f, index);
        if (const Json* v = f.find("fov")) {
            camera->SetFOV(0, FloatValue(*v, f.at("fov")));
        }
        if (const Json* v = f.find("clip")) {
            Tuple(*v, f.at("clip"), 2);
            camera->SetClipDist(0, hostapi::CAM_HITHER_CLIP, FloatValue((*v)[0], Item(f.at("clip"), 0)));
            camera->SetClipDist(0, hostapi::CAM_YON_CLIP, FloatValue((*v)[1], Item(f.at("clip"), 1)));
        }
        if (const Json* v = f.find("manualClip")) {
            camera->SetManualClip(Boolean(*v, f.at("manualClip")));
        }
        if (const Json* v = f.find("envRange")) {
            Tuple(*v, f.at("envRange"), 2);
            camera->SetEnvRange(FloatValue((*v)[0], Item(f.at("envRange"), 0)),
                                FloatValue((*v)[1], Item(f.at("envRange"), 1)));
        }
        if (const Json* v = f.find("mesh")) {
            camera->convertible().Set(NewMesh(*v, f.at("mesh")));
        }
    } else if (auto* bone = dynamic_cast<MemBoneObject*>(&entity)) {
        const Fields f(j, path, {"id", "kind", "width", "height", "taper", "length"});
        CheckId(f, index);
        const std::pair<const char*, hostapi::ParamID> params[] = {{"width", MemBoneParams::kWidth},
                                                                   {"height", MemBoneParams::kHeight},
                                                                   {"taper", MemBoneParams::kTaper},
                                                                   {"length", MemBoneParams::kLength}};
        for (const auto& [key, id] : params) {
            if (const Json* v = f.find(key)) {
                bone->params().Load(id, FloatValue(*v, f.at(key)));
            }
        }
    } else if (dynamic_cast<MemHelper*>(&entity)) {
        CheckId(Fields(j, path, {"id", "kind", "classId"}), index);
    } else if (dynamic_cast<MemTarget*>(&entity)) {
        CheckId(Fields(j, path, {"id", "kind"}), index);
    } else {
        auto& derived = dynamic_cast<MemDerivedObject&>(entity);
        const Fields f(j, path, {"id", "kind", "base", "modifiers"});
        CheckId(f, index);
        const int base = Ref(f.need("base"), f.at("base"), c_.objects.size(), "object", false);
        std::vector<MemEntity*> modifiers =
            RefList(OptionalArray(f, "modifiers"), f.at("modifiers"), c_.modifiers, "modifier");
        std::set<const MemEntity*> seen;
        for (std::size_t i = 0; i < modifiers.size(); ++i) {
            if (!modifiers[i]) {
                Fail(Item(f.at("modifiers"), i), "expected the id of a modifier, found null");
            }
            if (!seen.insert(modifiers[i]).second) {
                Fail(Item(f.at("modifiers"), i), "modifier " + std::to_string(modifiers[i]->id()) + " is given twice");
            }
        }
        derived.Load(*c_.objects[static_cast<std::size_t>(base)], std::move(modifiers));
    }
}

void HostSceneReader::CheckDerivedChains(const std::string& path) {
    // Each derived object's chain must end at an object that is no derived
    // object; a chain that meets itself would never end.
    std::vector<int> stamp(c_.objects.size(), -1);
    std::vector<bool> ends(c_.objects.size(), false);
    for (std::size_t start = 0; start < c_.objects.size(); ++start) {
        std::vector<std::size_t> chain;
        std::size_t at = start;
        while (!ends[at]) {
            auto* derived = dynamic_cast<MemDerivedObject*>(c_.objects[at].get());
            if (!derived) {
                break;
            }
            if (stamp[at] == static_cast<int>(start)) {
                Fail(Child(Item(path, at), "base"),
                     "the chain of derived objects from object " + std::to_string(at) + " comes back to itself");
            }
            stamp[at] = static_cast<int>(start);
            chain.push_back(at);
            at = static_cast<std::size_t>(derived->base().id());
        }
        ends[start] = true;
        for (const std::size_t k : chain) {
            ends[k] = true;
        }
    }
}

void HostSceneReader::FillModifier(const Json& j, const std::string& path, MemEntity& entity) {
    const auto index = static_cast<std::size_t>(entity.id());
    if (auto* skin = dynamic_cast<MemSkin*>(&entity)) {
        const Fields f(j, path, {"id", "kind", "bones", "weights", "points"});
        CheckId(f, index);
        const Json& bones = OptionalArray(f, "bones");
        std::set<const MemEntity*> seen;
        for (std::size_t i = 0; i < bones.size(); ++i) {
            auto* node = static_cast<MemNode*>(NodeRef(bones[i], Item(f.at("bones"), i), false));
            if (!seen.insert(node).second) {
                Fail(Item(f.at("bones"), i), "node " + std::to_string(node->id()) + " is registered twice");
            }
            skin->LoadBone(node);
        }
        const Json& weights = OptionalArray(f, "weights");
        std::set<int> vertices;
        for (std::size_t i = 0; i < weights.size(); ++i) {
            const Fields w(weights[i], Item(f.at("weights"), i), {"vertex", "bones", "weights"});
            const int vertex = Int(w.need("vertex"), w.at("vertex"), 0);
            if (!vertices.insert(vertex).second) {
                Fail(w.at("vertex"), "vertex " + std::to_string(vertex) + " is given twice");
            }
            MemSkin::VertexWeights entry;
            const Json& boneList = Array(w.need("bones"), w.at("bones"));
            const Json& weightList = Array(w.need("weights"), w.at("weights"));
            if (boneList.size() != weightList.size()) {
                Fail(w.at("weights"),
                     std::to_string(weightList.size()) + " weights for " + std::to_string(boneList.size()) + " bones");
            }
            for (std::size_t k = 0; k < boneList.size(); ++k) {
                entry.bones.push_back(static_cast<MemNode*>(NodeRef(boneList[k], Item(w.at("bones"), k), true)));
                entry.weights.push_back(FloatValue(weightList[k], Item(w.at("weights"), k)));
            }
            skin->LoadWeights(vertex, std::move(entry));
        }
        if (const Json* points = f.find("points"); points && !points->is_null()) {
            skin->SetPoints(Int(*points, f.at("points"), 0));
        }
        return;
    }
    if (auto* physique = dynamic_cast<MemPhysique*>(&entity)) {
        const Fields f(j, path, {"id", "kind", "vertices"});
        CheckId(f, index);
        std::vector<PhysiqueVertex> out;
        const Json& vertices = OptionalArray(f, "vertices");
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            const Fields v(vertices[i], Item(f.at("vertices"), i), {"type", "nodes", "weights"});
            PhysiqueVertex vertex;
            vertex.type = Int(v.need("type"), v.at("type"));
            using namespace hostapi;
            const bool single = vertex.type == RIGID_NON_BLENDED_TYPE || vertex.type == DEFORMABLE_NON_BLENDED_TYPE;
            const bool blended = vertex.type == RIGID_BLENDED_TYPE || vertex.type == DEFORMABLE_BLENDED_TYPE;
            if (!single && !blended && vertex.type != FLOATING_TYPE) {
                Fail(v.at("type"), "no vertex type " + std::to_string(vertex.type) + " (1, 2, 5, 6 or 8)");
            }
            const Json& nodes = Array(v.need("nodes"), v.at("nodes"));
            const Json& weights = Array(v.need("weights"), v.at("weights"));
            if (nodes.size() != weights.size()) {
                Fail(v.at("weights"),
                     std::to_string(weights.size()) + " weights for " + std::to_string(nodes.size()) + " nodes");
            }
            if ((single && nodes.size() != 1) || (blended && nodes.empty())) {
                Fail(v.at("nodes"), std::string("a vertex of type ") + std::to_string(vertex.type) + " follows " +
                                        (single ? "exactly one node" : "at least one node"));
            }
            for (std::size_t k = 0; k < nodes.size(); ++k) {
                vertex.nodes.push_back(static_cast<MemNode*>(NodeRef(nodes[k], Item(v.at("nodes"), k), false)));
                vertex.weights.push_back(FloatValue(weights[k], Item(v.at("weights"), k)));
            }
            out.push_back(std::move(vertex));
        }
        physique->SetVertices(std::move(out));
        return;
    }
    CheckId(Fields(j, path, {"id", "kind", "classId", "superClass"}), index);
}

template <class Controller>
void HostSceneReader::ReadKeys(const Json& j, const std::string& path, const char* kind, std::size_t width,
                               Controller& controller) {
    const Fields f(j, path, {"kind", "keys"});
    if (Text(f.need("kind"), f.at("kind")) != kind) {
        Fail(f.at("kind"), std::string("expected \"") + kind + "\"");
    }
    const Json& keys = Array(f.need("keys"), f.at("keys"));
    controller.SetNumKeys(static_cast<int>(keys.size()));
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string at = Item(f.at("keys"), i);
        const Json& k = Tuple(keys[i], at, width);
        float v[7] = {};
        for (std::size_t c = 1; c < width; ++c) {
            v[c - 1] = FloatValue(k[c], Item(at, c));
        }
        using Key = std::decay_t<decltype(controller.keys()[0])>;
        Key key;
        key.time = Int(k[0], Item(at, 0));
        if constexpr (std::is_same_v<Key, hostapi::ILinPoint3Key>) {
            key.val = Point3(v[0], v[1], v[2]);
        } else if constexpr (std::is_same_v<Key, hostapi::ILinRotKey>) {
            key.val = hostapi::Quat(v[0], v[1], v[2], v[3]);
        } else {
            key.val = hostapi::ScaleValue(Point3(v[0], v[1], v[2]), hostapi::Quat(v[3], v[4], v[5], v[6]));
        }
        controller.SetKey(static_cast<int>(i), &key);
    }
}

void HostSceneReader::ReadControllers(const Json& j, const std::string& path, MemNode& node) {
    const Fields f(j, path, {"class", "position", "rotation", "scale"});
    MemTMController& tm = node.tmController();
    if (const Json* c = f.find("class")) {
        const std::string& name = Text(*c, f.at("class"));
        const std::pair<const char*, TMControllerClass> classes[] = {
            {"positionRotationScale", TMControllerClass::PositionRotationScale},
            {"bipedBody", TMControllerClass::BipedBody},
            {"bipedSlave", TMControllerClass::BipedSlave},
            {"footstep", TMControllerClass::Footstep}};
        bool known = false;
        for (const auto& [text, value] : classes) {
            if (name == text) {
                tm.SetControllerClass(value);
                known = true;
            }
        }
        if (!known) {
            Fail(f.at("class"), "unknown controller class \"" + name + "\"");
        }
    }
    if (const Json* p = f.find("position"); p && !p->is_null()) {
        auto& controller = c_.Adopt<MemPositionController>(c_.controllers);
        ReadKeys(*p, f.at("position"), "linearPosition", 4, controller);
        (void)tm.SetPositionController(&controller);
    }
    if (const Json* r = f.find("rotation"); r && !r->is_null()) {
        auto& controller = c_.Adopt<MemRotationController>(c_.controllers);
        ReadKeys(*r, f.at("rotation"), "linearRotation", 5, controller);
        (void)tm.SetRotationController(&controller);
    }
    if (const Json* s = f.find("scale"); s && !s->is_null()) {
        auto& controller = c_.Adopt<MemScaleController>(c_.controllers);
        ReadKeys(*s, f.at("scale"), "linearScale", 8, controller);
        (void)tm.SetScaleController(&controller);
    }
}

void HostSceneReader::FillNode(const Json& j, const std::string& path, MemNode& node) {
    const Fields f(j, path,
                   {"id", "name", "inScene", "selected", "parent", "object", "material", "wireColor", "hidden",
                    "renderable", "boneOn", "showBone", "transform", "controllers"});
    CheckId(f, static_cast<std::size_t>(node.id()));
    if (const Json* v = f.find("name")) {
        node.SetNameUtf8(Text(*v, f.at("name")));
    }
    const Json* inScene = f.find("inScene");
    if (!inScene || Boolean(*inScene, f.at("inScene"))) {
        node.PutInScene();
    }
    if (const Json* v = f.find("selected")) {
        node.SetSelected(Boolean(*v, f.at("selected")));
    }
    if (const Json* v = f.find("parent")) {
        // Loops are looked for once every node has its parent.
        node.SetParentKeepLocal(static_cast<MemNode*>(NodeRef(*v, f.at("parent"), true)));
    }
    if (const Json* v = f.find("object")) {
        const int id = Ref(*v, f.at("object"), c_.objects.size(), "object", true);
        node.SetObjectRef(id < 0 ? nullptr
                                 : dynamic_cast<hostapi::Object*>(c_.objects[static_cast<std::size_t>(id)].get()));
    }
    if (const Json* v = f.find("material")) {
        const int id = Ref(*v, f.at("material"), c_.materials.size(), "material", true);
        node.SetMtl(id < 0 ? nullptr : AsMtl(c_.materials[static_cast<std::size_t>(id)].get()));
    }
    if (const Json* v = f.find("wireColor")) {
        Tuple(*v, f.at("wireColor"), 3);
        hostapi::DWORD packed = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            packed |= static_cast<hostapi::DWORD>(Integer((*v)[k], Item(f.at("wireColor"), k), 0, 255)) << (8 * k);
        }
        node.SetWireColor(packed);
    }
    if (const Json* v = f.find("hidden")) {
        node.Hide(Boolean(*v, f.at("hidden")));
    }
    if (const Json* v = f.find("renderable")) {
        node.SetRenderable(Boolean(*v, f.at("renderable")));
    }
    if (const Json* v = f.find("boneOn")) {
        node.SetBoneNodeOnOff(Boolean(*v, f.at("boneOn")), 0);
    }
    if (const Json* v = f.find("showBone")) {
        node.ShowBone(Int(*v, f.at("showBone")));
    }
    if (const Json* v = f.find("transform")) {
        const Fields t(*v, f.at("transform"), {"local", "objectOffset", "world", "worldAtTime0"});
        if (const Json* m = t.find("local")) {
            node.SetStaticLocal(Rows(*m, t.at("local")));
        }
        if (const Json* m = t.find("objectOffset")) {
            node.SetObjectOffset(Rows(*m, t.at("objectOffset")));
        }
        // Derived from the others: checked for shape, then rebuilt.
        for (const char* derived : {"world", "worldAtTime0"}) {
            if (const Json* m = t.find(derived)) {
                (void)Rows(*m, t.at(derived));
            }
        }
    }
    if (const Json* v = f.find("controllers")) {
        ReadControllers(*v, f.at("controllers"), node);
    }
}

void HostSceneReader::CheckHierarchy(const std::string& path) {
    // Any depth is taken (everything that walks the hierarchy does so
    // without recursion); a loop is not. Each node's climb stops at a node
    // an earlier climb went through, so each is visited once.
    std::vector<std::size_t> climbedFrom(c_.nodes.size(), c_.nodes.size());
    for (std::size_t start = 0; start < c_.nodes.size(); ++start) {
        for (MemNode* n = c_.nodes[start].get(); n; n = n->parent()) {
            const auto id = static_cast<std::size_t>(n->id());
            if (climbedFrom[id] == start) {
                Fail(Child(Item(path, id), "parent"),
                     "the parent links from node " + std::to_string(id) + " come back to it");
            }
            if (climbedFrom[id] < start) {
                break;
            }
            climbedFrom[id] = start;
        }
    }
}

void HostSceneReader::CheckNoLoops(const std::vector<std::unique_ptr<MemEntity>>& list, const std::string& path,
                                   const char* what, const char* key, const std::vector<std::vector<int>>& edges) {
    // Depth-first with an explicit stack: 0 unvisited, 1 on the current
    // path, 2 done.
    std::vector<int> state(list.size(), 0);
    for (std::size_t start = 0; start < list.size(); ++start) {
        if (state[start] != 0) {
            continue;
        }
        std::vector<std::pair<std::size_t, std::size_t>> stack{{start, 0}};
        state[start] = 1;
        while (!stack.empty()) {
            auto& [at, next] = stack.back();
            if (next == edges[at].size()) {
                state[at] = 2;
                stack.pop_back();
                continue;
            }
            const auto to = static_cast<std::size_t>(edges[at][next++]);
            if (state[to] == 1) {
                Fail(Child(Item(path, at), key),
                     std::string("the ") + what + " " + std::to_string(to) + " contains itself through this link");
            }
            if (state[to] == 0) {
                state[to] = 1;
                stack.emplace_back(to, 0);
            }
        }
    }
}

void HostSceneReader::Animation(const Json& j, const std::string& path) {
    const Fields f(j, path, {"frameRate", "ticksPerFrame", "range"});
    AnimationSettings& a = c_.animation;
    if (const Json* v = f.find("frameRate")) {
        a.frameRate = Int(*v, f.at("frameRate"), 1);
    }
    if (const Json* v = f.find("ticksPerFrame")) {
        a.ticksPerFrame = Int(*v, f.at("ticksPerFrame"), 1);
    }
    if (const Json* v = f.find("range")) {
        Tuple(*v, f.at("range"), 2);
        const int start = Int((*v)[0], Item(f.at("range"), 0));
        const int end = Int((*v)[1], Item(f.at("range"), 1));
        if (start > end) {
            Fail(f.at("range"), "the range starts after it ends");
        }
        a.range = hostapi::Interval(start, end);
    }
}

void HostSceneReader::MaterialEditor(const Json& list, const std::string& path) {
    std::set<int> seen;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Fields f(list[i], Item(path, i), {"slot", "material", "texmap"});
        const int slot = Int(f.need("slot"), f.at("slot"), 0, MemMtlEditor::kSlotCount - 1);
        if (!seen.insert(slot).second) {
            Fail(f.at("slot"), "slot " + std::to_string(slot) + " is given twice");
        }
        const Json* material = f.find("material");
        const Json* texmap = f.find("texmap");
        if ((material != nullptr) == (texmap != nullptr)) {
            Fail(f.path(), "a slot holds either a material or a texture map");
        }
        if (material) {
            const int id = Ref(*material, f.at("material"), c_.materials.size(), "material", false);
            host_.editor_.Load(slot, c_.materials[static_cast<std::size_t>(id)].get(), false);
        } else {
            const int id = Ref(*texmap, f.at("texmap"), c_.texmaps.size(), "texture map", false);
            host_.editor_.Load(slot, c_.texmaps[static_cast<std::size_t>(id)].get(), true);
        }
    }
}

std::unique_ptr<MemHost> ReadHostScene(std::string_view text, std::string& error,
                                       const HostSceneReadOptions& options) {
    error.clear();
    try {
        if (Nesting(text, kMaxNesting) > kMaxNesting) {
            error = "the file nests arrays and objects deeper than " + std::to_string(kMaxNesting) + " levels";
            return nullptr;
        }
        Json doc;
        const TearDownAtExit<Json> releaseWithoutMemory(doc);
        try {
            doc = Json::parse(text);
        } catch (const Json::parse_error& e) {
            std::string what = e.what();
            // Drop the library's "[json.exception.parse_error.101] " tag.
            if (const auto end = what.find("] "); what.rfind("[json.exception", 0) == 0 && end != std::string::npos) {
                what.erase(0, end + 2);
            }
            error = "not JSON: " + what;
            return nullptr;
        }
        if (std::optional<std::string> duplicate = FindDuplicateKey(text)) {
            error = std::move(*duplicate);
            return nullptr;
        }
        const Fields top(doc, "", {"format", "version", "scene", "session"});
        if (Text(top.need("format"), "format") != "tvx-host-scene") {
            Fail("format", "expected \"tvx-host-scene\"");
        }
        if (Int(top.need("version"), "version") != 1) {
            Fail("version", "this host reads version 1");
        }
        auto host = std::make_unique<MemHost>();
        HostSceneReader reader(*host);
        reader.Scene(top.need("scene"), "scene");
        SceneBudget budget(text.size(), options.maxSceneBytes);
        reader.TakeExportPrice(options.sampled, budget);
        return host;
    } catch (ReadError& e) {
        error = std::move(e.message);
    } catch (const OverBudget& e) {
        error = std::string("the file: ") + e.what();
        if (options.overBudget != nullptr) {
            *options.overBudget = true;
        }
    } catch (const std::bad_alloc&) {
        error = "out of memory";  // short enough to need no memory
    } catch (const nlohmann::json::exception& e) {
        // Every value is checked before it is used, so this is a fault of
        // the reader; it still must not escape, nor its message either.
        try {
            error = std::string("malformed value: ") + e.what();
        } catch (const std::bad_alloc&) {
            error = "out of memory";
        }
    }
    return nullptr;
}

}  // namespace memhost
