// Memory: failed allocations and counts that the bytes do not back.
#include <gtest/gtest.h>

#include "tests/fileformat/legacy/LegacyTestSupport.h"
#include "tests/support/AllocationLimit.h"

namespace tvx::test {
namespace {

using S = LegacySection;

constexpr std::size_t kOneMiB = 1 << 20;

// Fails allocation number i of the load, for every i until a load needs no
// more: each such load must fail with 0, and nothing may escape.
TEST(LegacyAllocation, EveryFailedAllocationFailsTheLoad) {
    for (const int version : kRichVersions) {
        const Bytes file = RichScene(version).File();
        bool completed = false;
        long i = 0;
        for (; !completed; ++i) {
            TVXFileReader reader(ByteBuffer::CopyOf(file));
            TVXScene scene;
            int status = 0;
            bool failed = false;
            {
                AllocationLimit limit(SIZE_MAX, i);
                status = ParseScene(reader, scene);
                failed = limit.anyFailed();
            }
            ASSERT_EQ(status, failed ? kLoadFailed : kLoadOk) << "version " << version << ", allocation " << i;
            completed = !failed;
        }
        EXPECT_GT(i, 20) << "version " << version;
    }
}

// Each body claims far more records than its bytes hold.
struct HostileCase {
    const char* what;
    int version;
    Bytes body;
};

std::vector<HostileCase> HostileCases() {
    constexpr int kHuge = 0x7FFFFFFF;
    std::vector<HostileCase> cases;
    const auto add = [&](const char* what, const LegacyFileBuilder& b) {
        cases.push_back({what, b.version(), b.Body()});
    };
    const auto animation = [](LegacyFileBuilder b) {
        b.Begin(S::Bones, 1).Bone("B", -1).Begin(S::Animations, 1).String("A").Int(0).Floats({0, 0, 0});
        return b;
    };
    add("lights", LegacyFileBuilder(9).Begin(S::Lights, kHuge).Light("L"));
    add("groups", LegacyFileBuilder(9).Begin(S::Groups, kHuge).Group("G"));
    add("map slots", LegacyFileBuilder(31).Begin(S::Materials, 1).MaterialHead("M", kHuge).BitmapMap(0, "a"));
    add("layered entries",
        LegacyFileBuilder(31).Begin(S::Materials, 1).MaterialHead("M", 1).MapHead(0, 4, 0).Int(kHuge));
    add("weights", LegacyFileBuilder(9).Begin(S::Vertices, 1).Floats({0, 0, 0}).Int(kHuge));
    add("polygons", LegacyFileBuilder(9).Begin(S::FaceLists, 1).Int(0).Int(kHuge));
    add("corners", LegacyFileBuilder(9).Begin(S::FaceLists, 1).Int(0).Int(1).Int(kHuge).Int(2).Int(0).Int(0));
    add("channels",
        LegacyFileBuilder(31).Begin(S::FaceLists, 1).Int(1).Int(1).Int(kHuge).Int(0).Int(0).Int(0).Int(5).Int(5));
    add("uv coords", LegacyFileBuilder(31).Begin(S::UVSets, 1).String("U").Int(kHuge));
    add("tracks", animation(LegacyFileBuilder(9)).Int(kHuge));
    add("keys", animation(LegacyFileBuilder(9)).Int(1).Int(kHuge));
    return cases;
}

TEST(LegacyAllocation, CountsThatTheBytesDoNotBackAllocateNothingLarge) {
    for (const HostileCase& c : HostileCases()) {
        const Bytes file = LegacyFile(c.version, c.body);
        TVXFileReader reader(ByteBuffer::CopyOf(file));
        TVXScene scene;
        AllocationLimit limit(kOneMiB);
        EXPECT_EQ(ParseScene(reader, scene), kLoadFailed) << c.what;
        EXPECT_FALSE(limit.anyFailed()) << c.what;
    }
}

}  // namespace
}  // namespace tvx::test
