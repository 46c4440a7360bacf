#include "exporter/ConvertScene.h"

#include <new>
#include <string>
#include <vector>

#include "exporter/ExportRefusal.h"
#include "exporter/MaterialConversion.h"
#include "exporter/MeshOutput.h"
#include "exporter/MeshReading.h"
#include "exporter/Reweld.h"
#include "exporter/SceneTables.h"
#include "exporter/SkeletonConversion.h"
#include "exporter/SkinReading.h"
#include "exporter/ViewConversion.h"

namespace tvx::exporter {
namespace {

hostapi::DWORD DoNothing(hostapi::LPVOID) { return 0; }

// Reads every mesh node of the tables; the working records live only for
// this conversion.
std::vector<MeshEntry> ReadMeshes(const SceneTables& tables, const ExportOptions& options) {
    std::vector<MeshEntry> meshes(tables.meshes.size());
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        meshes[i].node = tables.meshes[i];
        ReadMesh(meshes[i], options.mappingChannelIndex);
    }
    for (MeshEntry& mesh : meshes) {
        AverageColors(mesh);
    }
    ResolveSkin(meshes, tables.nodes);
    if (IsOn(options.reweldVertices)) {
        for (MeshEntry& mesh : meshes) {
            Reweld(mesh);
        }
    }
    return meshes;
}

int BuildDocument(TVXExporterData& data, hostapi::IScene& hostScene, hostapi::Interface& ip, NodeSelection selection) {
    TVXScene& scene = data.scene;
    const SceneTables tables = CollectScene(hostScene, selection == NodeSelection::SelectedOnly);
    const std::vector<MeshEntry> meshes = ReadMeshes(tables, data.options);
    if (ConvertLights(tables.lights, scene) == 0 || ConvertCameras(tables.cameras, scene) == 0 ||
        ConvertMaterials(tables.meshes, scene) == 0 || WriteGroups(meshes, scene) == 0) {
        return 0;
    }
    ip.ProgressUpdate(25, hostapi::TRUE, nullptr);
    if (WriteVerticesAndUVs(meshes, tables.nodes, scene) == 0) {
        return 0;
    }
    ip.ProgressUpdate(50, hostapi::TRUE, nullptr);
    if (WriteFaceLists(meshes, scene) == 0) {
        return 0;
    }
    ip.ProgressUpdate(75, hostapi::TRUE, nullptr);
    if (ConvertBones(tables.nodes, scene) == 0) {
        return 0;
    }
    ip.ProgressUpdate(90, hostapi::TRUE, nullptr);
    // The writers leave the animation out without both options; sampling
    // it anyway could take minutes for nothing.
    const ExportOptions& options = data.options;
    return ConvertAnimation(tables.nodes, ip, scene, IsOn(options.exportBones) && IsOn(options.exportAnimation));
}

}  // namespace

int ConvertScene(TVXExporterData& data, hostapi::ExpInterface& ei, hostapi::Interface& ip, NodeSelection selection) {
    std::string refusal;
    return ConvertScene(data, ei, ip, selection, refusal);
}

int ConvertScene(TVXExporterData& data, hostapi::ExpInterface& ei, hostapi::Interface& ip, NodeSelection selection,
                 std::string& refusal) {
    refusal.clear();
    if (ei.theScene == nullptr) {
        return 0;
    }
    (void)ip.ProgressStart(u"Saving...(please wait)", hostapi::TRUE, DoNothing, nullptr);
    ip.ProgressUpdate(0, hostapi::TRUE, nullptr);
    int result = 0;
    try {
        result = BuildDocument(data, *ei.theScene, ip, selection);
    } catch (const std::bad_alloc&) {
        result = 0;
    } catch (const ExportRefusal& e) {
        refusal = e.what();
        result = 0;
    }
    ip.ProgressUpdate(100, hostapi::TRUE, nullptr);
    ip.ProgressEnd();
    return result;
}

}  // namespace tvx::exporter
