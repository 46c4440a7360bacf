#include <algorithm>
#include <new>
#include <optional>

#include "fileformat/legacy/Version9Sections.h"

namespace tvx {
namespace {

int WrittenMapCount(const TVXMaterial& material) {
    return static_cast<int>(std::count_if(material.mapSlots.begin(), material.mapSlots.end(),
                                          [](const std::optional<TVXMap>& slot) { return slot.has_value(); }));
}

// Flags, the five colours and the two values form one 92-byte block.
bool WriteMaterial(const TVXMaterial& material, FileWriter& w) {
    bool ok = w.NarrowString(material.name.narrowView()) && w.Int(material.flags);
    for (const RGBA& colour : material.colors) {
        ok = ok && w.Colour(colour);
    }
    ok = ok && w.Float(material.shininess) && w.Float(material.opacity) && w.Int(WrittenMapCount(material));
    for (const std::optional<TVXMap>& slot : material.mapSlots) {
        ok = ok && (!slot.has_value() || WriteVersion9Map(*slot, w));
    }
    return ok;
}

}  // namespace

std::uint32_t WriteVersion9Materials(const TVXScene& scene, FileWriter& writer) {
    try {
        const std::uint32_t start = writer.position();
        bool ok = writer.Int(Count(scene.materials));
        for (const TVXMaterial& material : scene.materials) {
            ok = ok && WriteMaterial(material, writer);
        }
        return ok ? writer.position() - start : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

}  // namespace tvx
