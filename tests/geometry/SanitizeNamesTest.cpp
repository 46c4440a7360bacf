#include "geometry/SanitizeNames.h"

#include <gtest/gtest.h>

#include "SceneBuilders.h"

namespace tvx {
namespace {

using testing::Name;

std::string Sanitized(std::string_view utf8) {
    TVXString name = Name(utf8);
    SanitizeName(name);
    return name.ToUtf8();
}

TEST(SanitizeNames, ReplacesTheHostsSpecialCharactersThenALeadingDigit) {
    EXPECT_EQ(Sanitized("Key Light.01"), "Key_Light_01");
    EXPECT_EQ(Sanitized("2nd(part)"), "_nd_part_");
    EXPECT_EQ(Sanitized(" \\.<|>-]\t[\"{:};(,)/'"), std::string(20, '_'));
    EXPECT_EQ(Sanitized("Bone_#1 é~"), "Bone_#1_é~") << "other characters stay";
    EXPECT_EQ(Sanitized("9"), "_");
    EXPECT_EQ(Sanitized(""), "");
    EXPECT_EQ(Sanitized("a9"), "a9");
}

TEST(SanitizeNames, CoversEveryNamedArrayAndRenewsTheNarrowForm) {
    TVXScene scene;
    scene.lights.emplace_back().name = Name("a b");
    scene.cameras.emplace_back().name = Name("a b");
    scene.uvSets.emplace_back().name = Name("a b");
    scene.groups.emplace_back().name = Name("a b");
    scene.bones.emplace_back().name = Name("a b");
    scene.materials.emplace_back().name = Name("a b");
    scene.animations.emplace_back().name = Name("a b");
    SanitizeNames(scene);
    for (const TVXString* name : {&scene.lights[0].name, &scene.cameras[0].name, &scene.uvSets[0].name,
                                  &scene.groups[0].name, &scene.bones[0].name, &scene.materials[0].name,
                                  &scene.animations[0].name}) {
        EXPECT_EQ(name->ToUtf8(), "a_b");
        EXPECT_EQ(name->narrowView(), "a_b");
    }
}

}  // namespace
}  // namespace tvx
