// Whole files of every family: truncated, compressed.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/fileformat/legacy/LegacyTestSupport.h"

namespace tvx::test {
namespace {

// Enough of a scene to tell two loads apart.
std::string Digest(const TVXScene& scene) {
    std::ostringstream out;
    out << scene.version << ' ' << scene.legacyUVCoordCount << '|';
    for (const TVXLight& light : scene.lights) {
        out << light.name.ToUtf8() << light.transform.position.x << light.attenuationEnd << ';';
    }
    for (const TVXMaterial& material : scene.materials) {
        out << material.name.ToUtf8() << material.polygonCount << ':';
        for (const auto& slot : material.mapSlots) {
            out << slot->key << slot->kind << slot->flags << slot->fileName.ToUtf8() << slot->entries.size()
                << slot->int1 << slot->float1 << (slot->faceNames.empty() ? "" : slot->faceNames[5].ToUtf8()) << ',';
        }
    }
    for (const TVXVertex& vertex : scene.vertices) {
        out << vertex.position.x << vertex.color.a << vertex.weights.size() << ';';
    }
    for (const TVXFaceList& faceList : scene.faceLists) {
        for (const TVXPolygon& polygon : faceList.polygons) {
            for (int k = 0; k < polygon.uvChannelCount(); ++k) {
                for (int index : polygon.uvIndices(k)) {
                    out << index << ',';
                }
            }
        }
    }
    for (const TVXUVSet& uvSet : scene.uvSets) {
        for (const TVXUVCoord& coord : uvSet.coords) {
            out << coord.u << coord.v << ',';
        }
    }
    for (const TVXBone& bone : scene.bones) {
        out << bone.name.ToUtf8() << bone.weightedVertexCount << bone.transform.scale.x << ';';
    }
    for (const TVXAnimation& animation : scene.animations) {
        for (const TVXBoneTrack& track : animation.tracks) {
            out << track.scaleKeys.size() << (track.scaleKeys.empty() ? 0.0f : track.scaleKeys.back().scale.y) << ';';
        }
    }
    return out.str();
}

class LegacyFamilies : public testing::TestWithParam<int> {};

TEST_P(LegacyFamilies, TheRichSceneLoadsWhole) {
    TVXScene scene;
    ASSERT_EQ(Parse(RichScene(GetParam()).File(), scene), kLoadOk);
    EXPECT_EQ(scene.materials[1].mapSlots.size(), 7u);
    // Short polygons take the face list's group, full ones their own.
    EXPECT_EQ(scene.faceLists[1].polygons[0].groupIndex, GetParam() >= 30 ? 3 : 1);
    EXPECT_EQ(scene.animations[0].tracks.size(), 2u);
}

// The body is cut and the length field follows it, so each cut reaches the
// reader; every read must then fail cleanly (the sanitizer builds watch for
// reads past the exactly sized buffer).
TEST_P(LegacyFamilies, EveryTruncationFails) {
    const LegacyFileBuilder b = RichScene(GetParam());
    const Bytes body = b.Body();
    for (std::size_t size = 0; size < body.size(); ++size) {
        const Bytes cut(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(size));
        ASSERT_EQ(Parse(LegacyFile(GetParam(), cut, 0x03)), kLoadFailed) << "body cut at " << size;
    }
}

TEST_P(LegacyFamilies, ACompressedFileLoadsTheSameScene) {
    const LegacyFileBuilder b = RichScene(GetParam());
    TVXScene plain;
    TVXScene compressed;
    ASSERT_EQ(Parse(b.File(), plain), kLoadOk);
    ASSERT_EQ(Parse(b.Compressed(), compressed), kLoadOk);
    EXPECT_EQ(Digest(compressed), Digest(plain));
    EXPECT_EQ(compressed.fileCounts, plain.fileCounts);
}

INSTANTIATE_TEST_SUITE_P(Versions, LegacyFamilies, testing::ValuesIn(kRichVersions));

}  // namespace
}  // namespace tvx::test
