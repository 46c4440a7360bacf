#include "tools/tvx/Commands.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "tests/support/CraftedFiles.h"
#include "tests/support/TempDir.h"

namespace tvx::tool {
namespace {

TEST(DumpCommand, FailedLoadsGiveStatusAndMessageOnly) {
    test::TempDir dir;
    test::Bytes notTvx = test::LegacyFile(31, test::Bytes(8, 0));
    notTvx[0] = 'X';
    test::WriteFile(dir / "bad.tvx", notTvx);

    const struct {
        std::filesystem::path file;
        int status;
        const char* message;
    } cases[] = {
        {dir / "missing.tvx", 8, "Could not open the file.  Try closing it first."},
        {dir / "bad.tvx", 5, "File is not a Tarvex file."},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        EXPECT_EQ(RunDump(c.file, {}, out), 1);
        const auto json = nlohmann::json::parse(out.str());
        EXPECT_EQ(json["status"], c.status);
        EXPECT_EQ(json["message"], c.message);
        EXPECT_FALSE(json.contains("scene"));
    }
}

TEST(InfoCommand, AFailedLoadSaysWhyAndExitsNonZero) {
    test::TempDir dir;
    test::WriteFile(dir / "old.tvx", test::LegacyFile(5));
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunInfo(dir / "old.tvx", {}, out, err), 1);
    EXPECT_NE(err.str().find("Older TVX file formats are not supported."), std::string::npos);
    EXPECT_NE(out.str().find("uncompressed, version 5"), std::string::npos);
}

}  // namespace
}  // namespace tvx::tool
