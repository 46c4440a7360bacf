#include "geometry/ProcessLoadedScene.h"

#include "document/DerivedTables.h"
#include "geometry/SanitizeNames.h"
#include "geometry/SkeletonPose.h"
#include "geometry/SwapUpAxis.h"
#include "geometry/TriangulatePolygons.h"

namespace tvx {

void ProcessLoadedScene(TVXScene& scene, PoseTables& tables) {
    SwapUpAxis(scene, kYUpToZUp);
    (void)TriangulatePolygons(scene);
    SanitizeNames(scene);
    (void)BuildGroupMaterialTables(scene);
    (void)BuildBonePoses(scene, tables);
    (void)BuildPosedVertices(scene, tables);
    ComputeBindPose(tables, 1);
    ComputePose(scene, tables, 0.0f);
}

}  // namespace tvx
