#include "memhost/HostSceneJson.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <type_traits>
#include <variant>

#include "memhost/MemHost.h"

namespace memhost {
namespace {

using Json = nlohmann::ordered_json;
using hostapi::Point3;

Json Float(float value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "Infinity" : "-Infinity";
    }
    // The shortest digits that read back as this float, carried through the
    // double nearest to them, which the JSON writer prints with the same
    // digits.
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits - 1, value).ptr;
    *end = '\0';
    return std::strtod(digits, nullptr);
}

Json Vec(const Point3& p) { return Json::array({Float(p.x), Float(p.y), Float(p.z)}); }

Json Rgb(const hostapi::Color& c) { return Json::array({Float(c.r), Float(c.g), Float(c.b)}); }

Json Rows(const hostapi::Matrix3& m) {
    Json rows = Json::array();
    for (int i = 0; i < 4; ++i) {
        rows.push_back(Vec(m.GetRow(i)));
    }
    return rows;
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

Json Controllers(const MemTMController& tm) {
    return {{"position", Keys(tm.position(), "linearPosition",
                              [](const hostapi::ILinPoint3Key& k) {
                                  return Json::array({k.time, Float(k.val.x), Float(k.val.y), Float(k.val.z)});
                              })},
            {"rotation", Keys(tm.rotation(), "linearRotation",
                              [](const hostapi::ILinRotKey& k) {
                                  return Json::array(
                                      {k.time, Float(k.val.x), Float(k.val.y), Float(k.val.z), Float(k.val.w)});
                              })},
            {"scale", Keys(tm.scale(), "linearScale", [](const hostapi::ILinScaleKey& k) {
                 const hostapi::ScaleValue& v = k.val;
                 return Json::array({k.time, Float(v.s.x), Float(v.s.y), Float(v.s.z), Float(v.q.x), Float(v.q.y),
                                     Float(v.q.z), Float(v.q.w)});
             })}};
}

Json Node(const MemNode& node) {
    const hostapi::DWORD wire = node.wireColor();
    return {{"id", node.id()},
            {"name", node.name()},
            {"inScene", node.inScene()},
            {"parent", IdOf(node.parent())},
            {"object", IdOf(node.object())},
            {"material", IdOf(node.material())},
            {"wireColor", {wire & 0xFFu, (wire >> 8) & 0xFFu, (wire >> 16) & 0xFFu}},
            {"hidden", node.hidden()},
            {"renderable", node.renderable()},
            {"boneOn", node.boneOn()},
            {"showBone", node.showBone()},
            {"transform", {{"local", Rows(node.staticLocal())}, {"world", Rows(node.StaticWorld())}}},
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

Json Mesh(const MemTriObject& tri) {
    const MemMesh& mesh = tri.mesh();
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
    return {{"id", tri.id()},
            {"kind", "mesh"},
            {"vertices", Points(mesh.vertices())},
            {"faces", std::move(faces)},
            {"faceMaterialIds", std::move(materialIds)},
            {"faceSmoothingGroups", std::move(smoothing)},
            {"faceEdgeVisibility", std::move(edges)},
            {"mapChannels", std::move(channels)}};
}

Json Object(const MemEntity& entity) {
    if (const auto* tri = dynamic_cast<const MemTriObject*>(&entity)) {
        return Mesh(*tri);
    }
    if (const auto* light = dynamic_cast<const MemLight*>(&entity)) {
        const auto& a = light->attenuation();
        return {{"id", light->id()},
                {"kind", "light"},
                {"type", light->type()},
                {"color", Vec(light->color())},
                {"intensity", Float(light->intensity())},
                {"hotspot", Float(light->hotspot())},
                {"falloff", Float(light->falloff())},
                {"attenuation", {Float(a[0]), Float(a[1]), Float(a[2]), Float(a[3])}},
                {"useLight", light->useLight()},
                {"useAttenuation", light->useAtten()}};
    }
    if (const auto* camera = dynamic_cast<const MemCamera*>(&entity)) {
        return {{"id", camera->id()},
                {"kind", "camera"},
                {"type", camera->type()},
                {"fov", Float(camera->fov())},
                {"clip", {Float(camera->clip()[0]), Float(camera->clip()[1])}},
                {"manualClip", camera->manualClip()}};
    }
    if (const auto* bone = dynamic_cast<const MemBoneObject*>(&entity)) {
        const MemBoneParams& p = bone->params();
        return {{"id", bone->id()},
                {"kind", "bone"},
                {"width", Float(p.value(MemBoneParams::kWidth))},
                {"height", Float(p.value(MemBoneParams::kHeight))},
                {"taper", Float(p.value(MemBoneParams::kTaper))},
                {"length", Float(p.value(MemBoneParams::kLength))}};
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

Json Modifier(const MemEntity& entity) {
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
        Json nodes = Json::array();
        for (const MemNode* node : entry.bones) {
            nodes.push_back(IdOf(node));
        }
        Json values = Json::array();
        for (float w : entry.weights) {
            values.push_back(Float(w));
        }
        weights.push_back({{"vertex", vertex}, {"bones", std::move(nodes)}, {"weights", std::move(values)}});
    }
    return {{"id", skin->id()}, {"kind", "skin"}, {"bones", std::move(bones)}, {"weights", std::move(weights)}};
}

Json Material(const MemEntity& entity) {
    if (const auto* multi = dynamic_cast<const MemMultiMtl*>(&entity)) {
        Json subs = Json::array();
        for (const MemEntity* sub : multi->subMaterials()) {
            subs.push_back(IdOf(sub));
        }
        return {{"id", multi->id()},
                {"kind", "multi"},
                {"name", multi->name()},
                {"mtlFlags", multi->mtlFlags()},
                {"subMaterials", std::move(subs)}};
    }
    if (const auto* standard = dynamic_cast<const MemStdMat*>(&entity)) {
        Json maps = Json::array();
        for (std::size_t slot = 0; slot < standard->maps().size(); ++slot) {
            const MemStdMat::MapSlot& m = standard->maps()[slot];
            if (m.texmap || m.enabled || m.amount != 1.0f) {
                maps.push_back(
                    {{"slot", slot}, {"texmap", IdOf(m.texmap)}, {"amount", Float(m.amount)}, {"enabled", m.enabled}});
            }
        }
        return {{"id", standard->id()},
                {"kind", "standard"},
                {"name", standard->name()},
                {"mtlFlags", standard->mtlFlags()},
                {"diffuse", Rgb(standard->diffuse())},
                {"ambient", Rgb(standard->ambient())},
                {"specular", Rgb(standard->specular())},
                {"shininess", Float(standard->shininess())},
                {"selfIllumination", Float(standard->selfIllum())},
                {"opacity", Float(standard->opacity())},
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
                 {{"uOffset", Float(uv.uOffset())},
                  {"vOffset", Float(uv.vOffset())},
                  {"uScale", Float(uv.uScale())},
                  {"vScale", Float(uv.vScale())},
                  {"wAngle", Float(uv.wAngle())},
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
    return {{"id", entity.id()}, {"kind", "unknown"}};
}

template <class Each>
Json ArrayOf(const std::vector<std::unique_ptr<MemEntity>>& list, Each each) {
    Json out = Json::array();
    for (const auto& entity : list) {
        out.push_back(each(*entity));
    }
    return out;
}

Json Scene(const MemHost& host) {
    const AnimationSettings& a = host.animation();
    const HostContext& c = host.context();
    Json nodes = Json::array();
    for (const auto& node : c.nodes) {
        nodes.push_back(Node(*node));
    }
    Json editor = Json::array();
    const auto& slots = host.materialEditor().slots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].entity) {
            editor.push_back({{"slot", i}, {slots[i].isTexmap ? "texmap" : "material", slots[i].entity->id()}});
        }
    }
    return {{"animation",
             {{"frameRate", a.frameRate}, {"ticksPerFrame", a.ticksPerFrame}, {"range", {a.range.Start(), a.range.End()}}}},
            {"nodes", std::move(nodes)},
            {"objects", ArrayOf(c.objects, Object)},
            {"modifiers", ArrayOf(c.modifiers, Modifier)},
            {"materials", ArrayOf(c.materials, Material)},
            {"texmaps", ArrayOf(c.texmaps, Texmap)},
            {"materialEditor", std::move(editor)}};
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
            {"failures", {{"injected", std::move(injected)}, {"pendingRules", c.failures.PendingRules()}}},
            {"hostErrors", s.hostErrors()}};
}

}  // namespace

Json HostSceneJson(const MemHost& host) {
    return {{"format", "tvx-host-scene"}, {"version", 1}, {"scene", Scene(host)}, {"session", SessionJson(host)}};
}

std::string HostSceneText(const MemHost& host) { return HostSceneJson(host).dump(2) + "\n"; }

}  // namespace memhost
