#include "geometry/SanitizeNames.h"

#include <algorithm>
#include <string>
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
    std::u16string text(name.wideView());
    std::replace_if(
        text.begin(), text.end(), [](char16_t c) { return kReplaced.find(c) != std::u16string_view::npos; }, u'_');
    if (!text.empty() && text.front() >= u'0' && text.front() <= u'9') {
        text.front() = u'_';
    }
    name.SetWide(text);
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
