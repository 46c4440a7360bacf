// The host scene into the exporter's document: every exported node sorted
// into meshes, lights, cameras and nodes, the host objects read, and the
// document's arrays built from them in a fixed order under the host's
// progress bar.
#pragma once

#include <string>

#include "fileformat/legacy/ExporterData.h"
#include "hostapi/ExpInterface.h"
#include "hostapi/Interface.h"

namespace tvx::exporter {

// Which nodes an export takes: all, or those the host has selected (the
// host's SCENE_EXPORT_SELECTED).
enum class NodeSelection { All, SelectedOnly };

// 1 when the document was built; 0 when the export interface has no scene
// or memory ran out (the document then holds what was built so far and is
// the caller's to clear). An empty scene is no failure: it gives a document
// with one animation and nothing else.
[[nodiscard]] int ConvertScene(TVXExporterData& data, hostapi::ExpInterface& ei, hostapi::Interface& ip,
                               NodeSelection selection = NodeSelection::All);

// The same, and 0 with `refusal` saying what and where when the scene holds
// a value that is not exported (see ExportRefusal.h); empty otherwise.
[[nodiscard]] int ConvertScene(TVXExporterData& data, hostapi::ExpInterface& ei, hostapi::Interface& ip,
                               NodeSelection selection, std::string& refusal);

}  // namespace tvx::exporter
