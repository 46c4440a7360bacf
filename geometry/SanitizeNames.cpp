#include "geometry/SanitizeNames.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tvx {
namespace {

constexpr std::u16string_view kReplaced = u" \\.<|>-]\t[\"{:};(,)/'";
static_assert(kReplaced.size() == 20);

template <class Records>
void SanitizeAll(Records& records) {
    for (auto& record : records) {
        SanitizeName(record.name);
    }
}

}  // namespace

void SanitizeName(TVXString& name) {
    // A name fits its fixed buffer, so this needs no allocation.
    std::array<char16_t, TVXString::kCapacity> text{};
    const std::u16string_view original = name.wideView();
    const auto end = std::replace_copy_if(
        original.begin(), original.end(), text.begin(),
        [](char16_t c) { return kReplaced.find(c) != std::u16string_view::npos; }, u'_');
    if (end != text.begin() && text[0] >= u'0' && text[0] <= u'9') {
        text[0] = u'_';
    }
    name.SetWide({text.data(), static_cast<std::size_t>(end - text.begin())});
}

void SanitizeNames(TVXScene& scene) {
    SanitizeAll(scene.lights);
    SanitizeAll(scene.cameras);
    SanitizeAll(scene.uvSets);
    SanitizeAll(scene.groups);
    SanitizeAll(scene.bones);
    SanitizeAll(scene.materials);
    SanitizeAll(scene.animations);
}

}  // namespace tvx
