#include "exporter/ExportRefusal.h"

#include <charconv>
#include <cmath>

namespace tvx::exporter {
namespace {

std::string Shortest(float value) {
    char digits[32];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void RequireExportableMatrix(const hostapi::Matrix3& m, hostapi::INode& node, hostapi::TimeValue t, const char* what) {
    for (int r = 0; r < 4; ++r) {
        const hostapi::Point3 row = m.GetRow(r);
        for (const float v : {row.x, row.y, row.z}) {
            if (!IsExportable(v)) {
                RequireExportable(v, NodeText(node), (std::string("its ") + what + " at tick " + std::to_string(t)).c_str());
            }
        }
    }
}

}  // namespace

bool IsExportable(float value) { return std::isfinite(value) && std::fabs(value) <= kLargestExportedValue; }

std::string NodeText(hostapi::INode& node) {
    const char* name = node.GetName();
    return std::string("node \"") + (name != nullptr ? name : "") + "\"";
}

std::string MaterialText(hostapi::MtlBase& material) {
    const char* name = material.GetName();
    return std::string("material \"") + (name != nullptr ? name : "") + "\"";
}

void RequireExportable(float value, const std::string& where, const char* what) {
    if (IsExportable(value)) {
        return;
    }
    const std::string why = std::isfinite(value) ? "beyond the largest value exported, " + Shortest(kLargestExportedValue)
                                                 : std::string("which is not finite");
    throw ExportRefusal(where + ": " + what + " is " + Shortest(value) + ", " + why);
}

void RequireExportable(const hostapi::Color& color, const std::string& where, const char* what) {
    for (const float channel : {color.r, color.g, color.b}) {
        RequireExportable(channel, where, what);
    }
}

hostapi::Matrix3 CheckedNodeTM(hostapi::INode& node, hostapi::TimeValue t) {
    const hostapi::Matrix3 tm = node.GetNodeTM(t);
    RequireExportableMatrix(tm, node, t, "transform");
    return tm;
}

hostapi::Matrix3 CheckedObjectTM(hostapi::INode& node, hostapi::TimeValue t) {
    const hostapi::Matrix3 tm = node.GetObjectTM(t);
    RequireExportableMatrix(tm, node, t, "object transform");
    return tm;
}

}  // namespace tvx::exporter
