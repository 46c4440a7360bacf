#include "memhost/MemModifiers.h"

#include <new>
#include <string>

#include "memhost/MemNode.h"
#include "memhost/MemObjects.h"

namespace memhost {

namespace {

class RigidVertex final : public MemPhyVertex, public hostapi::IPhyRigidVertex {
public:
    explicit RigidVertex(MemNode* node) : node_(node) {}

    hostapi::IPhyVertexExport* Interface() override { return this; }
    int GetVertexType() override { return hostapi::RIGID_NON_BLENDED_TYPE; }
    hostapi::INode* GetNode() override { return node_; }

private:
    MemNode* node_;
};

class BlendedVertex final : public MemPhyVertex, public hostapi::IPhyBlendedRigidVertex {
public:
    explicit BlendedVertex(const PhysiqueVertex& vertex) : nodes_(vertex.nodes), weights_(vertex.weights) {}

    hostapi::IPhyVertexExport* Interface() override { return this; }
    int GetVertexType() override { return hostapi::RIGID_BLENDED_TYPE; }
    int GetNumberNodes() override { return static_cast<int>(nodes_.size()); }
    hostapi::INode* GetNode(int i) override { return InRange(i) ? nodes_[static_cast<std::size_t>(i)] : nullptr; }
    float GetWeight(int i) override { return InRange(i) ? weights_[static_cast<std::size_t>(i)] : 0.0f; }

private:
    bool InRange(int i) const { return i >= 0 && static_cast<std::size_t>(i) < nodes_.size(); }

    std::vector<MemNode*> nodes_;
    std::vector<float> weights_;
};

// Deformable and floating vertices: only their type can be read.
class OtherVertex final : public MemPhyVertex, public hostapi::IPhyVertexExport {
public:
    explicit OtherVertex(int type) : type_(type) {}

    hostapi::IPhyVertexExport* Interface() override { return this; }
    int GetVertexType() override { return type_; }

private:
    int type_;
};

// The index of the most strongly weighted bone, the first of equals.
std::size_t Strongest(const PhysiqueVertex& vertex) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < vertex.weights.size(); ++i) {
        if (vertex.weights[i] > vertex.weights[best]) {
            best = i;
        }
    }
    return best;
}

}  // namespace

MemPhyContext::~MemPhyContext() = default;

int MemPhyContext::GetNumberVertices() { return static_cast<int>(modifier_.vertices().size()); }

hostapi::IPhyVertexExport* MemPhyContext::GetVertexInterface(int i) {
    const auto& vertices = modifier_.vertices();
    if (i < 0 || static_cast<std::size_t>(i) >= vertices.size()) {
        modifier_.context().Error("IPhyContextExport::GetVertexInterface: vertex " + std::to_string(i) + " of " +
                                  std::to_string(vertices.size()));
        return nullptr;
    }
    const PhysiqueVertex& vertex = vertices[static_cast<std::size_t>(i)];
    int type = vertex.type;
    if (rigid_ && (type & hostapi::DEFORMABLE_TYPE)) {
        type = (type & ~hostapi::DEFORMABLE_TYPE) | hostapi::RIGID_TYPE;
    }
    const bool blended = (type & hostapi::BLENDED_TYPE) != 0;
    if (blended && !blending_) {
        type &= ~hostapi::BLENDED_TYPE;
    }
    std::unique_ptr<MemPhyVertex> made;
    if (type == hostapi::RIGID_NON_BLENDED_TYPE && !vertex.nodes.empty()) {
        made = std::make_unique<RigidVertex>(vertex.nodes[blended ? Strongest(vertex) : 0]);
    } else if (type == hostapi::RIGID_BLENDED_TYPE) {
        made = std::make_unique<BlendedVertex>(vertex);
    } else {
        made = std::make_unique<OtherVertex>(type);
    }
    hostapi::IPhyVertexExport* face = made->Interface();
    held_.emplace(face, std::move(made));
    return face;
}

void MemPhyContext::ReleaseVertexInterface(hostapi::IPhyVertexExport* vertexInterface) {
    if (held_.erase(vertexInterface) == 0) {
        modifier_.context().Error(
            "IPhyContextExport::ReleaseVertexInterface: not a vertex interface this context holds");
    }
}

void* MemPhysique::GetInterface(hostapi::ULONG id) {
    if (id != hostapi::I_PHYINTERFACE) {
        return nullptr;
    }
    CallDetail detail;
    detail.interfaceId = id;
    if (context().failures.ShouldFail(HostCall::GetInterface, detail)) {
        return nullptr;
    }
    ++exportHeld_;
    return static_cast<hostapi::IPhysiqueExport*>(this);
}

void MemPhysique::ReleaseInterface(hostapi::ULONG id, void* i) {
    if (id != hostapi::I_PHYINTERFACE || i != static_cast<hostapi::IPhysiqueExport*>(this) || exportHeld_ == 0) {
        context().Error("Animatable::ReleaseInterface: interface " + HexText(id) + " of Physique modifier " +
                        std::to_string(this->id()) + " is not held");
        return;
    }
    --exportHeld_;
}

hostapi::IPhyContextExport* MemPhysique::GetContextInterface(hostapi::INode* nodePtr) {
    MemNode* node = context().Find<MemNode>(nodePtr);
    if (!node || !ChainHasModifier(node->object(), this)) {
        return nullptr;
    }
    contexts_.push_back(std::make_unique<MemPhyContext>(*this, *node));
    return contexts_.back().get();
}

bool MemPhysique::ReleaseContextInterface(hostapi::IPhyContextExport* contextInterface) {
    for (auto it = contexts_.begin(); it != contexts_.end(); ++it) {
        if (it->get() == contextInterface) {
            contexts_.erase(it);
            return true;
        }
    }
    context().Error("IPhysiqueExport::ReleaseContextInterface: not a context this modifier gave");
    return false;
}

}  // namespace memhost
