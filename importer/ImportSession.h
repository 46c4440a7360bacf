// Everything one import works with: the document read from the file, the
// options it builds with, the host, the host nodes made for the bones, and
// what waits to join the host's scene until the whole build has succeeded.
#pragma once

#include <vector>

#include "document/TVXScene.h"
#include "geometry/PoseTables.h"
#include "hostapi/ImpInterface.h"
#include "hostapi/Interface.h"
#include "hostapi/Nodes.h"
#include "importer/ImportOptions.h"

namespace tvx::importer {

// The host's node and bone object made for one document bone; null until
// made, and null for good when the host refused to make them.
struct BoneHostNode {
    hostapi::INode* node = nullptr;
    hostapi::Object* object = nullptr;
};

struct ImportSession {
    ImportSession(hostapi::ImpInterface& imp, hostapi::Interface& core)
        : ii(imp), ip(core), poses(ImporterPoseTables()) {}
    ImportSession(const ImportSession&) = delete;
    ImportSession& operator=(const ImportSession&) = delete;
    // Also when the build ends by an exception: the pose tables are the
    // process's and must not keep this document's pose.
    ~ImportSession() { Release(); }

    hostapi::ImpInterface& ii;
    hostapi::Interface& ip;
    TVXScene scene{SceneRole::Import};
    PoseTables& poses;
    // The builder's own copy: all on until an accepted dialog replaces it.
    ImportOptions options;
    std::vector<BoneHostNode> boneNodes;  // one per document bone once bones are built
    // Nodes made so far, in the order made; they go into the scene only
    // when the build has finished, so one that fails half-way shows nothing.
    std::vector<hostapi::ImpNode*> builtNodes;
    // The multi-material for the material editor's first slot, put there
    // with the nodes.
    hostapi::Mtl* editorMaterial = nullptr;

    // The host node made for bone i, or null.
    [[nodiscard]] hostapi::INode* BoneNode(int i) const {
        return i >= 0 && static_cast<std::size_t>(i) < boneNodes.size() ? boneNodes[static_cast<std::size_t>(i)].node
                                                                         : nullptr;
    }

    // Releases the document and the pose tables made from it.
    void Release() {
        ClearScene(scene);
        poses.Release();
        boneNodes.clear();
        builtNodes.clear();
    }
};

}  // namespace tvx::importer
