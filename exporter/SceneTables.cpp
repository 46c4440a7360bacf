#include "exporter/SceneTables.h"

#include "hostapi/HostConstants.h"

namespace tvx::exporter {
namespace {

class SceneList final : public hostapi::ITreeEnumProc {
public:
    SceneList(SceneTables& tables, bool selectedOnly) : tables_(tables), selectedOnly_(selectedOnly) {}

    int callback(hostapi::INode* node) override {
        if (node == nullptr || (selectedOnly_ && node->Selected() == 0)) {
            return 0;
        }
        hostapi::Object* object = node->EvalWorldState(0, hostapi::TRUE).obj;
        if (object == nullptr) {
            return 0;
        }
        const NodeKinds kinds = ClassifyObject(*object);
        for (auto [on, table] : {std::pair{kinds.mesh, &tables_.meshes}, std::pair{kinds.node, &tables_.nodes},
                                 std::pair{kinds.light, &tables_.lights}, std::pair{kinds.camera, &tables_.cameras}}) {
            if (on) {
                table->push_back(node);
            }
        }
        return 0;
    }

private:
    SceneTables& tables_;
    bool selectedOnly_;
};

bool IsBoneOrDummy(const hostapi::Class_ID& id) {
    return id == hostapi::DUMMY_CLASS_ID || id == hostapi::BONE_CLASS_ID || id == hostapi::BONE_OBJ_CLASSID;
}

}  // namespace

NodeKinds ClassifyObject(hostapi::Object& object) {
    const hostapi::Class_ID id = object.ClassID();
    const bool convertible = object.CanConvertToType(hostapi::triObjectClassID) != 0;
    NodeKinds kinds;
    // The bone objects the importer makes, old-style bones and the biped's
    // own geometry are skeleton, not meshes.
    kinds.mesh = convertible && id != hostapi::BONE_OBJ_CLASSID && id != hostapi::BONE_CLASS_ID &&
                 id != hostapi::BIPED_CLASS_ID;
    kinds.node = convertible || IsBoneOrDummy(id) ||
                 (id != hostapi::TARGET_CLASS_ID && object.SuperClassID() == hostapi::HELPER_CLASS_ID);
    if (!convertible && !IsBoneOrDummy(id) && id != hostapi::TARGET_CLASS_ID) {
        kinds.light = object.SuperClassID() == hostapi::LIGHT_CLASS_ID;
        kinds.camera = object.SuperClassID() == hostapi::CAMERA_CLASS_ID;
    }
    return kinds;
}

SceneTables CollectScene(hostapi::IScene& scene, bool selectedOnly) {
    SceneTables tables;
    SceneList list(tables, selectedOnly);
    (void)scene.EnumTree(&list);
    return tables;
}

NodeIndex::NodeIndex(const std::vector<hostapi::INode*>& table) {
    indexOf_.reserve(table.size());
    for (std::size_t i = table.size(); i-- > 0;) {
        indexOf_[table[i]] = static_cast<int>(i);  // the first entry wins, as a table walk would find it
    }
}

int NodeIndex::Of(const hostapi::INode* node) const {
    const auto found = node != nullptr ? indexOf_.find(node) : indexOf_.end();
    return found != indexOf_.end() ? found->second : -1;
}

}  // namespace tvx::exporter
