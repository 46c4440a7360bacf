// The modifiers besides Skin (MemSkin.h): Physique, and modifiers of any
// other class, which the host keeps only so that they stand in a stack.
//
// Physique keeps one list of vertices, each with its type as the modifier
// stores it (rigid, deformable, blended or not, floating) and its bone nodes
// with weights. Read back through IPhysiqueExport (hostapi/Physique.h), a
// context reports the types as its ConvertToRigid and AllowBlending settings
// say: both are off until set. Without blending a blended vertex reports
// only its most strongly weighted bone (the first of equals). Contexts and
// vertex interfaces stay valid until released; the host counts what is held
// so that a plug-in that forgets a release can be caught.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "hostapi/HostConstants.h"
#include "hostapi/Objects.h"
#include "hostapi/Physique.h"
#include "memhost/HostContext.h"

namespace memhost {

class MemNode;
class MemPhysique;
// A vertex interface the host handed out, owned by its context.
class MemPhyVertex {
public:
    MemPhyVertex() = default;
    MemPhyVertex(const MemPhyVertex&) = delete;
    MemPhyVertex& operator=(const MemPhyVertex&) = delete;
    virtual ~MemPhyVertex() = default;

    virtual hostapi::IPhyVertexExport* Interface() = 0;
};

struct PhysiqueVertex {
    // RIGID_TYPE, DEFORMABLE_TYPE, either with BLENDED_TYPE, or FLOATING_TYPE.
    int type = hostapi::RIGID_TYPE;
    std::vector<MemNode*> nodes;
    std::vector<float> weights;
};

class MemPhyContext final : public hostapi::IPhyContextExport {
public:
    MemPhyContext(MemPhysique& modifier, MemNode& node) : modifier_(modifier), node_(node) {}
    ~MemPhyContext() override;

    int GetNumberVertices() override;
    hostapi::IPhyVertexExport* GetVertexInterface(int i) override;
    void ReleaseVertexInterface(hostapi::IPhyVertexExport* vertexInterface) override;
    void ConvertToRigid(hostapi::BOOL deformable) override { rigid_ = deformable != 0; }
    void AllowBlending(hostapi::BOOL blending) override { blending_ = blending != 0; }

    MemNode& node() const { return node_; }
    int verticesHeld() const { return static_cast<int>(held_.size()); }

private:
    MemPhysique& modifier_;
    MemNode& node_;
    bool rigid_ = false;
    bool blending_ = false;
    std::map<hostapi::IPhyVertexExport*, std::unique_ptr<MemPhyVertex>> held_;
};

class MemPhysique final : public MemAnimatable<hostapi::Modifier>, public hostapi::IPhysiqueExport {
public:
    MemPhysique(HostContext& context, int id) : MemAnimatable(context, id) {}

    hostapi::Class_ID ClassID() override { return hostapi::PHYSIQUE_CLASS_ID; }
    hostapi::SClass_ID SuperClassID() override { return hostapi::OSM_CLASS_ID; }
    void* GetInterface(hostapi::ULONG id) override;
    void ReleaseInterface(hostapi::ULONG id, void* i) override;

    hostapi::IPhyContextExport* GetContextInterface(hostapi::INode* nodePtr) override;
    bool ReleaseContextInterface(hostapi::IPhyContextExport* contextInterface) override;

    const std::vector<PhysiqueVertex>& vertices() const { return vertices_; }
    void SetVertices(std::vector<PhysiqueVertex> vertices) { vertices_ = std::move(vertices); }
    // Export interfaces given and not released.
    int exportHeld() const { return exportHeld_; }
    // Contexts given and not released.
    const std::vector<std::unique_ptr<MemPhyContext>>& contexts() const { return contexts_; }

private:
    std::vector<PhysiqueVertex> vertices_;
    int exportHeld_ = 0;
    std::vector<std::unique_ptr<MemPhyContext>> contexts_;
};

// A modifier of a class this host does not know, kept in its stack.
class MemOtherModifier final : public MemAnimatable<hostapi::Modifier> {
public:
    MemOtherModifier(HostContext& context, int id, hostapi::Class_ID classId, hostapi::SClass_ID superClass)
        : MemAnimatable(context, id), classId_(classId), superClass_(superClass) {}

    hostapi::Class_ID ClassID() override { return classId_; }
    hostapi::Class_ID classId() const { return classId_; }
    hostapi::SClass_ID SuperClassID() override { return superClass_; }
    hostapi::SClass_ID superClass() const { return superClass_; }

private:
    hostapi::Class_ID classId_;
    hostapi::SClass_ID superClass_;
};

}  // namespace memhost
