// Lights, cameras, groups, bones, animations, the name list and embedded files.
#include <gtest/gtest.h>

#include "tests/support/TempDir.h"
#include "tests/fileformat/v34/Version34Records.h"

namespace tvx {
namespace {

using namespace test;

TEST(Version34Sections, FlatRecordsAreStoredInFileOrder) {
    ChunkWriter light, camera, group;
    light.Str("Lamp").I32(1601).I32(2).Sequence(kTransformFloats, 100);
    light.Sequence(5, 200).Sequence(4, 300).Sequence(2, 400);
    camera.Str("Cam").I32(5).I32(6).Sequence(kTransformFloats, 100).Floats({50.0f, 2.0f, 3.0f});
    Group(group, "Body", 100);
    ChunkWriter sections;
    sections.Chunk(v34id::kLights, Records(1, light)).Chunk(v34id::kCameras, Records(1, camera));
    sections.Chunk(v34id::kGroups, Records(1, group)).Chunk(v34id::kBones, BonesSection(2));
    sections.Chunk(v34id::kNameList, ChunkWriter{}.I32(2).Str("a").Str("b"));
    const Loaded loaded = Parse(Version34File(sections));
    ASSERT_EQ(loaded.status, kLoadOk);
    const TVXScene& scene = loaded.scene;

    const TVXLight& l = scene.lights.at(0);
    EXPECT_EQ(l.name.narrowView(), "Lamp");
    EXPECT_EQ(l.lightCode, 1601);
    EXPECT_EQ(l.transform.xAxis.x, 100.0f);
    EXPECT_EQ(l.transform.finalVector.z, 137.0f);
    EXPECT_EQ(l.intensity, 204.0f);
    EXPECT_EQ(l.color, (RGBA{300, 301, 302, 303}));
    EXPECT_EQ(l.attenuationEnd, 401.0f);

    const TVXCamera& c = scene.cameras.at(0);
    EXPECT_EQ(c.transform.rotation.w, 134.0f);
    EXPECT_EQ(c.fieldOfView, 50.0f);
    EXPECT_EQ(c.farDistance, 3.0f);

    EXPECT_EQ(scene.groups.at(0).groupInt2, 2);
    EXPECT_EQ(scene.groups.at(0).transform.matrix.m[15], 130.0f);
    EXPECT_EQ(scene.bones.at(1).parentIndex, 0);
    EXPECT_EQ(scene.bones.at(1).color.a, 0.4f);
    EXPECT_EQ(scene.fileCounts.nameListCount, 2);
}

TEST(Version34Sections, SurplusTracksAreDroppedAndTheNextAnimationStillReads) {
    ChunkWriter animations;
    animations.I32(2);
    Track(Track(Track(AnimationHead(animations, "Walk", 3), 1), 100), 200);
    Track(AnimationHead(animations, "Run", 1), 300);
    ChunkWriter sections;
    sections.Chunk(v34id::kBones, BonesSection(1)).Chunk(v34id::kAnimations, animations);
    const Loaded loaded = Parse(Version34File(sections));
    ASSERT_EQ(loaded.status, kLoadOk);
    ASSERT_EQ(loaded.scene.animations.size(), 2u);

    const TVXAnimation& walk = loaded.scene.animations[0];
    EXPECT_EQ(walk.reserved, 7);
    ASSERT_EQ(walk.tracks.size(), 1u);
    const TVXBoneTrack& track = walk.tracks[0];
    EXPECT_EQ(track.positionKeys.at(0).time, 1.0f);
    EXPECT_EQ(track.positionKeys.at(0).position.z, 4.0f);
    EXPECT_EQ(track.rotationKeys.at(0).rotation.w, 15.0f);

    const TVXAnimation& run = loaded.scene.animations[1];
    EXPECT_EQ(run.name.narrowView(), "Run");
    ASSERT_EQ(run.tracks.size(), 1u);
    EXPECT_EQ(run.tracks[0].positionKeys.at(0).time, 300.0f);
}

TEST(Version34Sections, AnimationsKeepNoMoreTracksThanTheyCarry) {
    ChunkWriter animations;
    animations.I32(2);
    Track(AnimationHead(animations, "One", 1), 1);
    AnimationHead(animations, "None", 0);
    ChunkWriter sections;
    sections.Chunk(v34id::kBones, BonesSection(3)).Chunk(v34id::kAnimations, animations);
    const Loaded loaded = Parse(Version34File(sections));
    ASSERT_EQ(loaded.status, kLoadOk);
    EXPECT_EQ(loaded.scene.animations.at(0).tracks.size(), 1u);
    EXPECT_TRUE(loaded.scene.animations.at(1).tracks.empty());
}

class Version34EmbeddedFiles : public testing::Test {
protected:
    int Load(const ChunkWriter& files, bool write, const ChunkWriter& after = {}) {
        ChunkWriter sections = OneGroup();
        sections.Chunk(v34id::kEmbeddedFiles, files).Raw(after);
        const auto path = dir / "scene.tvx";
        WriteFile(path, Version34File(sections));
        NoProgress progress;
        LoadOptions options = LoadOptions::AsStored();
        options.writeEmbeddedFiles = write;
        return LoadScene(scene, path, progress, options);
    }

    static ChunkWriter ThreeFiles() {
        ChunkWriter files;
        files.I32(3).Str("C:\\art\\tex.png").I32(3).Raw(Bytes{'a', 'b', 'c'});
        files.Str("..").I32(1).Zeros(1).Str("empty.bin").I32(0);
        return files;
    }

    TempDir dir;
    TVXScene scene;
};

TEST_F(Version34EmbeddedFiles, AreWrittenUnderTheirBareNameOnlyWhenAsked) {
    ASSERT_EQ(Load(ThreeFiles(), false), kLoadOk);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"scene.tvx"}));

    ASSERT_EQ(Load(ThreeFiles(), true), kLoadOk);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"scene.tvx", "tex.png"}));
    EXPECT_EQ(ReadFile(dir / "tex.png"), (Bytes{'a', 'b', 'c'}));
}

TEST_F(Version34EmbeddedFiles, LeaveAnExistingFileUntouched) {
    WriteFile(dir / "tex.png", {'o', 'l', 'd'});
    ASSERT_EQ(Load(ThreeFiles(), true), kLoadOk);
    EXPECT_EQ(ReadFile(dir / "tex.png"), (Bytes{'o', 'l', 'd'}));
}

TEST_F(Version34EmbeddedFiles, WhoseBytesAreNotAllThereFailTheLoadBeforeAnythingIsWritten) {
    ChunkWriter files;
    files.I32(2).Str("first.bin").I32(1).Zeros(1).Str("second.bin").I32(1000).Zeros(10);
    EXPECT_EQ(Load(files, true), kLoadFailed);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"scene.tvx"}));
}

TEST_F(Version34EmbeddedFiles, AreNotWrittenWhenALaterSectionFailsTheLoad) {
    ChunkWriter brokenBones;
    brokenBones.Chunk(v34id::kBones, ChunkWriter{}.I32(5));
    EXPECT_EQ(Load(ThreeFiles(), true, brokenBones), kLoadFailed);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"scene.tvx"}));
}

TEST_F(Version34EmbeddedFiles, WithAControlCharacterInTheNameAreSkipped) {
    ChunkWriter files;
    files.I32(2).Str("line\nbreak.png").I32(1).Zeros(1).Str("plain.png").I32(1).Zeros(1);
    ASSERT_EQ(Load(files, true), kLoadOk);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"plain.png", "scene.tvx"}));
}

}  // namespace
}  // namespace tvx
