#include "geometry/ProcessLoadedScene.h"

#include "document/DerivedTables.h"
#include "geometry/SanitizeNames.h"
#include "geometry/SkeletonPose.h"
#include "geometry/SwapUpAxis.h"
#include "geometry/TriangulatePolygons.h"

namespace tvx {
namespace {

bool HasMaterialTablesToBuild(const TVXScene& scene) {
    return !scene.faceLists.empty() && !scene.groups.empty() && !scene.materials.empty();
}

}  // namespace

int ProcessLoadedScene(TVXScene& scene, PoseTables& tables) {
    SwapUpAxis(scene, kYUpToZUp);
    const bool cut = !NeedsTriangulation(scene) || TriangulatePolygons(scene) == 1;
    SanitizeNames(scene);
    const bool tabled = !HasMaterialTablesToBuild(scene) || BuildGroupMaterialTables(scene) == 1;
    (void)BuildBonePoses(scene, tables);
    (void)BuildPosedVertices(scene, tables);
    ComputeBindPose(tables, 1);
    ComputePose(scene, tables, 0.0f);
    const bool posed =
        tables.bonePoses.size() == scene.bones.size() && tables.posedVertices.size() == scene.vertices.size();
    return cut && tabled && posed ? 1 : 0;
}

}  // namespace tvx
