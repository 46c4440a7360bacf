// Running out of memory ends the tool with its one line and status 1, even
// where the C++ runtime would abort.
#include <gtest/gtest.h>

#include <new>

#include "tools/tvx/MemoryReserve.h"

namespace tvx::tool {
namespace {

// Out of sight of the compiler, so that it cannot see the throw below
// escaping a noexcept function.
void (*volatile g_fail)() = [] { throw std::bad_alloc(); };

// As nlohmann::json's destructor does when its stack finds no memory.
void FailInsideADestructor() noexcept { g_fail(); }

void ImportRunningOutInsideADestructor() {
    static const CommandInProgress command{"importing", "scene.tvx"};
    KeepMemoryReserve(command);
    FailInsideADestructor();
}

TEST(MemoryReserve, ABadAllocInADestructorEndsWithTheLineNotAnAbort) {
    EXPECT_EXIT(ImportRunningOutInsideADestructor(), testing::ExitedWithCode(1),
                "^tvx: out of memory while importing scene.tvx\n$");
}

}  // namespace
}  // namespace tvx::tool
