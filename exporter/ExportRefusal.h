// Values the exporter refuses to write. A value no reader of the file could
// use (not finite, or so large that the readers' products overflow) stops
// the conversion where it is read, with what it is and where it was found;
// ConvertScene catches the refusal, the user is told, and nothing is
// written.
#pragma once

#include <stdexcept>
#include <string>

#include "hostapi/HostTypes.h"
#include "hostapi/Materials.h"
#include "hostapi/Nodes.h"

namespace tvx::exporter {

class ExportRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest magnitude exported: far beyond any scene, while a value near
// the float's end (1e38) overflows as soon as a reader adds or scales it.
inline constexpr float kLargestExportedValue = 1.0e30f;

[[nodiscard]] bool IsExportable(float value);

// `node "Name"`, as the refusals name a node.
[[nodiscard]] std::string NodeText(hostapi::INode& node);

// `material "Name"`, as the refusals name a material.
[[nodiscard]] std::string MaterialText(hostapi::MtlBase& material);

// Refuses with "<where>: <what> is <value>, ..." unless value is exportable.
void RequireExportable(float value, const std::string& where, const char* what);

// The same for each of the colour's channels.
void RequireExportable(const hostapi::Color& color, const std::string& where, const char* what);

// The node's world (or object) transform at t, refused unless every
// element is exportable.
[[nodiscard]] hostapi::Matrix3 CheckedNodeTM(hostapi::INode& node, hostapi::TimeValue t);
[[nodiscard]] hostapi::Matrix3 CheckedObjectTM(hostapi::INode& node, hostapi::TimeValue t);

}  // namespace tvx::exporter
