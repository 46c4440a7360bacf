#include "memhost/HostSceneJson.h"

#include <functional>
#include <string_view>
#include <type_traits>
#include <variant>

#include "memhost/HostMath.h"
#include "memhost/JsonFloat.h"
#include "memhost/MemHost.h"

namespace memhost {
namespace {

using Json = nlohmann::ordered_json;
using hostapi::Point3;

Json Vec(const Point3& p) { return Json::array({FloatJson(p.x), FloatJson(p.y), FloatJson(p.z)}); }

Json Rgb(const hostapi::Color& c) { return Json::array({FloatJson(c.r), FloatJson(c.g), FloatJson(c.b)}); }

Json Rows(const hostapi::Matrix3& m) {
    return Json::array({Vec(m.GetRow(0)), Vec(m.GetRow(1)), Vec(m.GetRow(2)), Vec(m.GetRow(3))});
}

Json IdOf(const MemEntity* entity) { return entity ? Json(entity->id()) : Json(nullptr); }

Json TextOrNull(const std::string& text) { return text.empty() ? Json(nullptr) : Json(text); }

template <class Controller, class KeyJson>
Json Keys(const Controller* controller, const char* kind, KeyJson keyJson) {
    if (!controller) {
        return nullptr;
    }
    Json keys = Json::array();
    for (const auto& key : controller->keys()) {
        keys.push_back(keyJson(key));
    }
    return {{"kind", kind}, {"keys", std::move(keys)}};
}

const char* ControllerClassName(TMControllerClass c) {
    switch (c) {
    case TMControllerClass::BipedBody:
        return "bipedBody";
    case TMControllerClass::BipedSlave:
        return "bipedSlave";
    case TMControllerClass::Footstep:
        return "footstep";
    case TMControllerClass::PositionRotationScale:
        break;
    }
    return "positionRotationScale";
}

Json ClassIdJson(hostapi::Class_ID id) { return Json::array({id.PartA(), id.PartB()}); }

Json Controllers(const MemTMController& tm) {
    return {{"class", ControllerClassName(tm.controllerClass())},
            {"position", Keys(tm.position(), "linearPosition",
                              [](const hostapi::ILinPoint3Key& k) {
                                  return Json::array({k.time, FloatJson(k.val.x), FloatJson(k.val.y), FloatJson(k.val.z)});
                              })},
            {"rotation", Keys(tm.rotation(), "linearRotation",
                              [](const hostapi::ILinRotKey& k) {
                                  return Json::array(
                                      {k.time, FloatJson(k.val.x), FloatJson(k.val.y), FloatJson(k.val.z), FloatJson(k.val.w)});
                              })},
            {"scale", Keys(tm.scale(), "linearScale", [](const hostapi::ILinScaleKey& k) {
                 const hostapi::ScaleValue& v = k.val;
                 return Json::array({k.time, FloatJson(v.s.x), FloatJson(v.s.y), FloatJson(v.s.z), FloatJson(v.q.x), FloatJson(v.q.y),
                                     FloatJson(v.q.z), FloatJson(v.q.w)});
             })}};
}

// The node's world transforms come from its own cache, each parent's
// worked out once however deep the hierarchy.
Json Node(const MemNode& node) {
    const hostapi::DWORD wire = node.wireColor();
    return {{"id", node.id()},
            {"name", node.name()},
            {"inScene", node.inScene()},
            {"selected", node.selected()},
            {"parent", IdOf(node.parent())},
            {"object", IdOf(node.object())},
            {"material", IdOf(node.material())},
            {"wireColor", {wire & 0xFFu, (wire >> 8) & 0xFFu, (wire >> 16) & 0xFFu}},
            {"hidden", node.hidden()},
            {"renderable", node.renderable()},
            {"boneOn", node.boneOn()},
            {"showBone", node.showBone()},
            {"transform",
             {{"local", Rows(node.staticLocal())},
              {"objectOffset", Rows(node.objectOffset())},
              {"world", Rows(node.StaticWorld())},
              {"worldAtTime0", Rows(node.WorldAt(0))}}},
            {"controllers", Controllers(node.tmController())}};
}

Json Triples(const std::vector<hostapi::TVFace>& faces) {
    Json out = Json::array();
    for (const hostapi::TVFace& f : faces) {
        out.push_back({f.t[0], f.t[1], f.t[2]});
    }
    return out;
}

Json Points(const std::vector<Point3>& points) {
    Json out = Json::array();
    for (const Point3& p : points) {
        out.push_back(Vec(p));
    }
    return out;
}

// Each face's normal ids, and which of its corners use them as bits 0..2.
Json SpecifiedNormals(const MemMeshNormals& userNormals) {
    const MemMeshNormals::Content& content = userNormals.content();
    Json faces = Json::array();
    Json specified = Json::array();
    for (const hostapi::MeshNormalFace& f : content.faces) {
        faces.push_back({f.GetNormalID(0), f.GetNormalID(1), f.GetNormalID(2)});
        specified.push_back((f.GetSpecified(0) ? 1 : 0) | (f.GetSpecified(1) ? 2 : 0) | (f.GetSpecified(2) ? 4 : 0));
    }
    Json explicitNormals = Json::array();
    for (const bool e : content.explicitNormals) {
        explicitNormals.push_back(e);
    }
    return {{"normals", Points(content.normals)},
            {"explicit", std::move(explicitNormals)},
            {"faces", std::move(faces)},
            {"specified", std::move(specified)}};
}

// The mesh keys, shared by every object that holds a mesh.
Json MeshKeys(const MemMesh& mesh) {
    Json faces = Json::array();
    Json materialIds = Json::array();
    Json smoothing = Json::array();
    Json edges = Json::array();
    for (const hostapi::Face& f : mesh.faceList()) {
        faces.push_back({f.v[0], f.v[1], f.v[2]});
        materialIds.push_back(f.getMatID());
        smoothing.push_back(f.smGroup);
        edges.push_back(f.flags & hostapi::EDGE_ALL);
    }
    Json channels = Json::array();
    for (const auto& [number, channel] : mesh.channels()) {
        channels.push_back({{"channel", number}, {"vertices", Points(channel.verts)}, {"faces", Triples(channel.faces)}});
    }
    Json keys = {{"vertices", Points(mesh.vertices())},
                 {"faces", std::move(faces)},
                 {"faceMaterialIds", std::move(materialIds)},
                 {"faceSmoothingGroups", std::move(smoothing)},
                 {"faceEdgeVisibility", std::move(edges)},
                 {"mapChannels", std::move(channels)}};
    // Only a mesh that has them: most meshes never do.
    if (const MemMeshNormals* userNormals = mesh.specifiedNormals()) {
        keys["specifiedNormals"] = SpecifiedNormals(*userNormals);
    }
    return keys;
}

// head, then the mesh keys.
Json WithMesh(Json head, const MemMesh& mesh) {
    Json keys = MeshKeys(mesh);
    for (auto& item : keys.items()) {
        head[item.key()] = std::move(item.value());
    }
    return head;
}

Json OptionalMesh(const ConvertibleMesh& mesh) { return mesh.has() ? MeshKeys(*mesh.get()) : Json(nullptr); }

Json Object(const MemEntity& entity) {
    if (const auto* tri = dynamic_cast<const MemTriObject*>(&entity)) {
        return WithMesh({{"id", tri->id()}, {"kind", "mesh"}}, tri->mesh());
    }
    if (const auto* geometry = dynamic_cast<const MemGeometry*>(&entity)) {
        return WithMesh({{"id", geometry->id()}, {"kind", "geometry"}, {"classId", ClassIdJson(geometry->classId())}},
                        geometry->mesh());
    }
    if (const auto* helper = dynamic_cast<const MemHelper*>(&entity)) {
        return {{"id", helper->id()}, {"kind", "helper"}, {"classId", ClassIdJson(helper->classId())}};
    }
    if (dynamic_cast<const MemTarget*>(&entity)) {
        return {{"id", entity.id()}, {"kind", "target"}};
    }
    if (const auto* light = dynamic_cast<const MemLight*>(&entity)) {
        const auto& a = light->attenuation();
        return {{"id", light->id()},
                {"kind", "light"},
                {"type", light->type()},
                {"color", Vec(light->color())},
                {"intensity", FloatJson(light->intensity())},
                {"hotspot", FloatJson(light->hotspot())},
                {"falloff", FloatJson(light->falloff())},
                {"attenuation", {FloatJson(a[0]), FloatJson(a[1]), FloatJson(a[2]), FloatJson(a[3])}},
                {"useLight", light->useLight()},
                {"useAttenuation", light->useAtten()},
                {"ambientOnly", light->ambientOnly()},
                {"mesh", OptionalMesh(light->convertible())}};
    }
    if (const auto* camera = dynamic_cast<const MemCamera*>(&entity)) {
        return {{"id", camera->id()},
                {"kind", "camera"},
                {"type", camera->type()},
                {"fov", FloatJson(camera->fov())},
                {"clip", {FloatJson(camera->clip()[0]), FloatJson(camera->clip()[1])}},
                {"manualClip", camera->manualClip()},
                {"envRange", {FloatJson(camera->envRange()[0]), FloatJson(camera->envRange()[1])}},
                {"mesh", OptionalMesh(camera->convertible())}};
    }
    if (const auto* bone = dynamic_cast<const MemBoneObject*>(&entity)) {
        const MemBoneParams& p = bone->params();
        return {{"id", bone->id()},
                {"kind", "bone"},
                {"width", FloatJson(p.value(MemBoneParams::kWidth))},
                {"height", FloatJson(p.value(MemBoneParams::kHeight))},
                {"taper", FloatJson(p.value(MemBoneParams::kTaper))},
                {"length", FloatJson(p.value(MemBoneParams::kLength))}};
    }
    if (const auto* derived = dynamic_cast<const MemDerivedObject*>(&entity)) {
        Json modifiers = Json::array();
        for (const MemEntity* modifier : derived->modifiers()) {
            modifiers.push_back(modifier->id());
        }
        return {{"id", derived->id()}, {"kind", "derived"}, {"base", derived->base().id()}, {"modifiers", modifiers}};
    }
    return {{"id", entity.id()}, {"kind", "unknown"}};
}

Json Floats(const std::vector<float>& values) {
    Json out = Json::array();
    for (float v : values) {
        out.push_back(FloatJson(v));
    }
    return out;
}

Json NodeIds(const std::vector<MemNode*>& nodes) {
    Json out = Json::array();
    for (const MemNode* node : nodes) {
        out.push_back(IdOf(node));
    }
    return out;
}

Json Modifier(const MemEntity& entity) {
    if (const auto* physique = dynamic_cast<const MemPhysique*>(&entity)) {
        Json vertices = Json::array();
        for (const PhysiqueVertex& v : physique->vertices()) {
            vertices.push_back({{"type", v.type}, {"nodes", NodeIds(v.nodes)}, {"weights", Floats(v.weights)}});
        }
        return {{"id", physique->id()}, {"kind", "physique"}, {"vertices", std::move(vertices)}};
    }
    if (const auto* other = dynamic_cast<const MemOtherModifier*>(&entity)) {
        return {{"id", other->id()},
                {"kind", "other"},
                {"classId", ClassIdJson(other->classId())},
                {"superClass", other->superClass()}};
    }
    const auto* skin = dynamic_cast<const MemSkin*>(&entity);
    if (!skin) {
        return {{"id", entity.id()}, {"kind", "unknown"}};
    }
    Json bones = Json::array();
    for (const MemSkin::Bone& bone : skin->bones()) {
        bones.push_back(IdOf(bone.node));
    }
    Json weights = Json::array();
    for (const auto& [vertex, entry] : skin->weights()) {
        weights.push_back({{"vertex", vertex}, {"bones", NodeIds(entry.bones)}, {"weights", Floats(entry.weights)}});
    }
    return {{"id", skin->id()},
            {"kind", "skin"},
            {"bones", std::move(bones)},
            {"weights", std::move(weights)},
            {"points", skin->points() ? Json(*skin->points()) : Json(nullptr)}};
}

Json Ids(const std::vector<MemEntity*>& list) {
    Json out = Json::array();
    for (const MemEntity* entity : list) {
        out.push_back(IdOf(entity));
    }
    return out;
}

Json Material(const MemEntity& entity) {
    if (const auto* other = dynamic_cast<const MemOtherMtl*>(&entity)) {
        return {{"id", other->id()},
                {"kind", "other"},
                {"name", other->name()},
                {"mtlFlags", other->mtlFlags()},
                {"classId", ClassIdJson(other->classId())},
                {"subMaterials", Ids(other->subMaterials())},
                {"subTexmaps", Ids(other->subTexmaps())}};
    }
    if (const auto* multi = dynamic_cast<const MemMultiMtl*>(&entity)) {
        return {{"id", multi->id()},
                {"kind", "multi"},
                {"name", multi->name()},
                {"mtlFlags", multi->mtlFlags()},
                {"subMaterials", Ids(multi->subMaterials())}};
    }
    if (const auto* standard = dynamic_cast<const MemStdMat*>(&entity)) {
        Json maps = Json::array();
        for (std::size_t slot = 0; slot < standard->maps().size(); ++slot) {
            const MemStdMat::MapSlot& m = standard->maps()[slot];
            if (m.texmap || m.enabled || m.amount != 1.0f) {
                maps.push_back(
                    {{"slot", slot}, {"texmap", IdOf(m.texmap)}, {"amount", FloatJson(m.amount)}, {"enabled", m.enabled}});
            }
        }
        return {{"id", standard->id()},
                {"kind", "standard"},
                {"name", standard->name()},
                {"mtlFlags", standard->mtlFlags()},
                {"diffuse", Rgb(standard->diffuse())},
                {"ambient", Rgb(standard->ambient())},
                {"specular", Rgb(standard->specular())},
                {"shininess", FloatJson(standard->shininess())},
                {"selfIllumination", FloatJson(standard->selfIllum())},
                {"opacity", FloatJson(standard->opacity())},
                {"twoSided", standard->twoSided()},
                {"maps", std::move(maps)},
                {"activeTexmap", IdOf(standard->activeTexmap())}};
    }
    return {{"id", entity.id()}, {"kind", "unknown"}};
}

Json Texmap(const MemEntity& entity) {
    if (const auto* bitmap = dynamic_cast<const MemBitmapTex*>(&entity)) {
        const MemUVGen& uv = bitmap->uvGen();
        return {{"id", bitmap->id()},
                {"kind", "bitmap"},
                {"name", bitmap->name()},
                {"mtlFlags", bitmap->mtlFlags()},
                {"fileName", bitmap->mapName()},
                {"uvGen",
                 {{"uOffset", FloatJson(uv.uOffset())},
                  {"vOffset", FloatJson(uv.vOffset())},
                  {"uScale", FloatJson(uv.uScale())},
                  {"vScale", FloatJson(uv.vScale())},
                  {"wAngle", FloatJson(uv.wAngle())},
                  {"tiling", uv.tiling()},
                  {"mapChannel", uv.mapChannel()}}}};
    }
    if (const auto* multiply = dynamic_cast<const MemRGBMultiply*>(&entity)) {
        return {{"id", multiply->id()},
                {"kind", "rgbMultiply"},
                {"name", multiply->name()},
                {"mtlFlags", multiply->mtlFlags()},
                {"subTexmaps", {IdOf(multiply->subTexmaps()[0]), IdOf(multiply->subTexmaps()[1])}}};
    }
    if (const auto* container = dynamic_cast<const MemContainerTex*>(&entity)) {
        const hostapi::Class_ID id = container->classId();
        const char* kind = id == hostapi::Class_ID(hostapi::MIX_CLASS_ID, 0)         ? "mix"
                           : id == hostapi::Class_ID(hostapi::COMPOSITE_CLASS_ID, 0) ? "composite"
                           : id == hostapi::GNORMAL_CLASS_ID                         ? "normalBump"
                                                                                     : "other";
        Json out = {
            {"id", container->id()}, {"kind", kind}, {"name", container->name()}, {"mtlFlags", container->mtlFlags()}};
        if (std::string_view(kind) == "other") {
            out["classId"] = ClassIdJson(id);
        }
        out["subTexmaps"] = Ids(container->subTexmaps());
        return out;
    }
    return {{"id", entity.id()}, {"kind", "unknown"}};
}

// The scene's arrays of things, each item made only when it is written:
// the text is written an item at a time, since a tree of the whole scene
// holds dozens of values per node and building and freeing it for 100,000
// bones cost seconds.
struct SceneArray {
    const char* key;
    std::size_t size;
    std::function<Json(std::size_t)> item;
};

template <class Entity, class Each>
SceneArray ArrayOf(const char* key, const std::vector<std::unique_ptr<Entity>>& list, Each each) {
    return {key, list.size(), [&list, each](std::size_t i) { return each(*list[i]); }};
}

std::vector<SceneArray> SceneArrays(const HostContext& c) {
    return {ArrayOf("nodes", c.nodes, Node),          ArrayOf("objects", c.objects, Object),
            ArrayOf("modifiers", c.modifiers, Modifier), ArrayOf("materials", c.materials, Material),
            ArrayOf("texmaps", c.texmaps, Texmap)};
}

Json Whole(const SceneArray& array) {
    Json out = Json::array();
    for (std::size_t i = 0; i < array.size; ++i) {
        out.push_back(array.item(i));
    }
    return out;
}

// Stands for an array in the scene's text until the array is written in
// its place. The control character escapes to "\u0001", which no key or
// number before the arrays can hold.
std::string Placeholder(const SceneArray& array) { return std::string("\x01") + array.key; }

// With placeholders, the arrays stand as Placeholder strings.
Json Scene(const MemHost& host, const std::vector<SceneArray>& arrays, bool placeholders) {
    const AnimationSettings& a = host.animation();
    Json editor = Json::array();
    const auto& slots = host.materialEditor().slots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].entity) {
            editor.push_back({{"slot", i}, {slots[i].isTexmap ? "texmap" : "material", slots[i].entity->id()}});
        }
    }
    Json scene = {{"animation",
                   {{"frameRate", a.frameRate},
                    {"ticksPerFrame", a.ticksPerFrame},
                    {"range", {a.range.Start(), a.range.End()}}}}};
    for (const SceneArray& array : arrays) {
        scene[array.key] = placeholders ? Json(Placeholder(array)) : Whole(array);
    }
    scene["materialEditor"] = std::move(editor);
    return scene;
}

const char* AnswerName(DialogAnswer answer) {
    switch (answer) {
    case DialogAnswer::Ok:
        return "ok";
    case DialogAnswer::Cancel:
        return "cancel";
    case DialogAnswer::CloseBox:
        return "closeBox";
    case DialogAnswer::FailToOpen:
        return "failToOpen";
    }
    return "?";
}

Json Texts(const std::vector<DialogText>& texts) {
    Json out = Json::array();
    for (const DialogText& t : texts) {
        out.push_back({t.control, t.text});
    }
    return out;
}

Json Checks(const std::vector<DialogCheck>& checks) {
    Json out = Json::array();
    for (const DialogCheck& c : checks) {
        out.push_back({c.control, c.checked});
    }
    return out;
}

Json Event(const SessionEvent& event) {
    return std::visit(
        [](const auto& e) -> Json {
            using E = std::decay_t<decltype(e)>;
            if constexpr (std::is_same_v<E, ProgressStartEvent>) {
                return {{"event", "progressStart"},
                        {"title", e.title},
                        {"showBar", e.showBar},
                        {"workerGiven", e.workerGiven},
                        {"workerResult", e.workerResult}};
            } else if constexpr (std::is_same_v<E, ProgressUpdateEvent>) {
                return {{"event", "progressUpdate"},
                        {"percent", e.percent},
                        {"showPercent", e.showPercent},
                        {"title", e.title ? Json(*e.title) : Json(nullptr)}};
            } else if constexpr (std::is_same_v<E, ProgressEndEvent>) {
                return {{"event", "progressEnd"}};
            } else if constexpr (std::is_same_v<E, RedrawViewsEvent>) {
                return {{"event", "redrawViews"}};
            } else if constexpr (std::is_same_v<E, CompleteRedrawEvent>) {
                return {{"event", "completeRedraw"}, {"doDisabled", e.doDisabled}};
            } else if constexpr (std::is_same_v<E, CurrentDirectoryEvent>) {
                return {{"event", "setCurrentDirectory"}, {"path", e.path}, {"accepted", e.accepted}};
            } else if constexpr (std::is_same_v<E, MessageBoxEvent>) {
                return {{"event", "messageBox"},
                        {"owner", TextOrNull(e.owner)},
                        {"text", e.text},
                        {"caption", e.caption},
                        {"type", e.type},
                        {"answer", e.answer}};
            } else {
                static_assert(std::is_same_v<E, DialogEvent>);
                return {{"event", "dialog"},
                        {"template", e.templateId},
                        {"caption", e.caption},
                        {"owner", TextOrNull(e.owner)},
                        {"moduleGiven", e.moduleGiven},
                        {"scripted", e.scripted},
                        {"answer", e.scripted ? Json(AnswerName(e.answer)) : Json(nullptr)},
                        {"centred", e.centred},
                        {"centredOver", TextOrNull(e.centredOver)},
                        {"checksAfterInit", Checks(e.checksAfterInit)},
                        {"clicks", e.clicks},
                        {"checksAtEnd", Checks(e.checksAtEnd)},
                        {"textsAfterInit", Texts(e.textsAfterInit)},
                        {"edits", e.edits},
                        {"textsAtEnd", Texts(e.textsAtEnd)},
                        {"ended", e.ended},
                        {"endResult", e.endResult},
                        {"returned", e.returned}};
            }
        },
        event);
}

Json SessionJson(const MemHost& host) {
    const Session& s = host.session();
    const HostContext& c = host.context();
    const AnimationSettings& a = host.animation();

    Json events = Json::array();
    for (const SessionEvent& e : s.events()) {
        events.push_back(Event(e));
    }
    Json meshes = Json::array();
    Json additions = Json::array();
    Json locked = Json::array();
    for (const auto& entity : c.objects) {
        if (const auto* tri = dynamic_cast<const MemTriObject*>(entity.get())) {
            meshes.push_back({{"object", tri->id()}, {"normalsCurrent", tri->mesh().normalsCurrent()}});
        }
        if (const auto* derived = dynamic_cast<const MemDerivedObject*>(entity.get())) {
            for (const ModifierAddition& add : derived->additions()) {
                additions.push_back({{"object", derived->id()},
                                     {"modifier", add.modifier},
                                     {"position", add.position},
                                     {"withContext", add.withContext},
                                     {"lockTarget", add.lockTarget}});
            }
            if (derived->TestAFlag(hostapi::A_LOCK_TARGET)) {
                locked.push_back(derived->id());
            }
        }
    }
    Json skinUpdates = Json::array();
    for (const auto& entity : c.modifiers) {
        if (const auto* skin = dynamic_cast<const MemSkin*>(entity.get())) {
            Json flags = Json::array();
            for (const MemSkin::Bone& bone : skin->bones()) {
                flags.push_back(bone.update);
            }
            skinUpdates.push_back({{"modifier", skin->id()}, {"updates", std::move(flags)}});
        }
    }
    Json conversions = Json::array();
    for (const auto& entity : c.conversions) {
        if (const auto* tri = dynamic_cast<const MemTriObject*>(entity.get())) {
            conversions.push_back({{"object", tri->conversionOf()}, {"deleted", tri->deleted()}});
        }
    }
    Json held = Json::array();
    auto hold = [&held](const char* what, const std::string& of, int count) {
        if (count > 0) {
            held.push_back({{"interface", what}, {"of", of}, {"count", count}});
        }
    };
    for (const auto& node : c.nodes) {
        const MemTMController& tm = node->tmController();
        const std::string of = "node " + std::to_string(node->id());
        hold("IBipedExport", of, tm.bipedExportHeld());
        hold("IBipMaster", of, tm.bipMasterHeld());
    }
    for (const auto& entity : c.modifiers) {
        if (const auto* physique = dynamic_cast<const MemPhysique*>(entity.get())) {
            const std::string of = "modifier " + std::to_string(physique->id());
            hold("IPhysiqueExport", of, physique->exportHeld());
            for (const auto& context : physique->contexts()) {
                const std::string forNode = of + " for node " + std::to_string(context->node().id());
                hold("IPhyContextExport", forNode, 1);
                hold("IPhyVertexExport", forNode, context->verticesHeld());
            }
        }
    }
    Json biped = Json::array();
    for (const BipedCall& call : s.bipedCalls()) {
        Json entry = {{"node", call.node}, {"call", call.call}};
        if (call.value) {
            entry["value"] = *call.value;
        }
        if (call.range) {
            entry["range"] = {call.range->Start(), call.range->End()};
        }
        biped.push_back(std::move(entry));
    }
    Json temps = Json::array();
    for (const TempFileRecord& t : s.tempFiles()) {
        temps.push_back({{"prefix", t.prefix},
                         {"unique", t.unique},
                         {"name", t.name},
                         {"inTempFolder", t.inTempFolder},
                         {"created", t.created}});
    }
    Json injected = Json::array();
    for (const InjectedFailure& f : c.failures.injected()) {
        injected.push_back({{"call", HostCallName(f.call)}, {"callNumber", f.callNumber}, {"detail", f.detail}});
    }
    Json changes = Json::object();
    for (const auto& [call, count] : s.changesWhileAnimating()) {
        changes[call] = count;
    }
    return {{"events", std::move(events)},
            {"currentDirectory", s.currentDirectory() ? Json(*s.currentDirectory()) : Json(nullptr)},
            {"animateMode",
             {{"animate", a.animateOn},
              {"setKey", a.setKeyModeOn},
              {"animateSuspensions", a.suspendedAnimate.size()},
              {"setKeySuspensions", a.suspendedSetKeyMode.size()}}},
            {"changesWhileAnimating", std::move(changes)},
            {"meshes", std::move(meshes)},
            {"modifierAdditions", std::move(additions)},
            {"objectsLeftLocked", std::move(locked)},
            {"skinBoneUpdates", std::move(skinUpdates)},
            {"conversions", std::move(conversions)},
            {"interfacesHeld", std::move(held)},
            {"bipedCalls", std::move(biped)},
            {"tempFiles", std::move(temps)},
            {"failures", {{"injected", std::move(injected)}, {"pendingRules", c.failures.PendingRules()}}},
            {"hostErrors", s.hostErrors()}};
}

Json Document(const MemHost& host, const std::vector<SceneArray>& arrays, bool placeholders) {
    return {{"format", "tvx-host-scene"},
            {"version", 1},
            {"scene", Scene(host, arrays, placeholders)},
            {"session", SessionJson(host)}};
}

constexpr int kIndent = 2;
// The scene's arrays are members of "scene", itself a member of the top.
constexpr int kSceneArrayLevel = 2;

// The array as dump(kIndent) writes it at that nesting level. Each item is
// serialised straight into the text at its depth, by the serialiser that
// dump itself uses.
void AppendArray(std::string& out, const SceneArray& array, int level) {
    if (array.size == 0) {
        out += "[]";
        return;
    }
    const auto itemIndent = static_cast<unsigned>((level + 1) * kIndent);
    const std::string inner = "\n" + std::string(itemIndent, ' ');
    nlohmann::detail::serializer<Json> writer(nlohmann::detail::output_adapter<char, std::string>(out), ' ');
    out += '[';
    for (std::size_t i = 0; i < array.size; ++i) {
        const std::size_t start = out.size();
        out += i == 0 ? inner : "," + inner;
        writer.dump(array.item(i), true, false, kIndent, itemIndent);
        if (i == 0) {
            // Room for twice as many items as large as the first: growing a
            // string of hundreds of megabytes by doubling copies it again
            // and again, while room never written costs nothing.
            out.reserve(out.size() + 2 * array.size * (out.size() - start));
        }
    }
    out += "\n" + std::string(static_cast<std::size_t>(level * kIndent), ' ') + ']';
}

}  // namespace

Json HostSceneJson(const MemHost& host) { return Document(host, SceneArrays(host.context()), false); }

std::string HostSceneText(const MemHost& host) {
    const std::vector<SceneArray> arrays = SceneArrays(host.context());
    const std::string outline = Document(host, arrays, true).dump(kIndent);
    std::string text;
    std::size_t from = 0;
    for (const SceneArray& array : arrays) {
        // The arrays come in order and before anything the session holds.
        const std::string mark = Json(Placeholder(array)).dump();
        const std::size_t at = outline.find(mark, from);
        text.append(outline, from, at - from);
        AppendArray(text, array, kSceneArrayLevel);
        from = at + mark.size();
    }
    text.append(outline, from);
    text += '\n';
    return text;
}

}  // namespace memhost
