#include "tools/tvx/MemoryReserve.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

namespace tvx::tool {
namespace {

// Enough for the JSON library to take apart a scene of some hundred
// thousand triangles while unwinding.
constexpr std::size_t kBlockBytes = std::size_t{16} << 20;

void* g_retryBlock = nullptr;
void* g_unwindBlock = nullptr;
const CommandInProgress* g_command = nullptr;

void OnOutOfMemory() {
    if (g_retryBlock != nullptr) {
        std::free(g_retryBlock);
        g_retryBlock = nullptr;
        return;
    }
    if (g_unwindBlock != nullptr) {
        std::free(g_unwindBlock);
        g_unwindBlock = nullptr;
        throw std::bad_alloc();
    }
    std::_Exit(ReportOutOfMemory(*g_command));
}

// The bad_alloc thrown above can land inside a destructor (nlohmann::json's
// allocates), which ends the process through std::terminate: it then ends
// with the same line and status 1 instead of an abort.
[[noreturn]] void OnTerminate() noexcept {
    if (const std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::bad_alloc&) {
            std::_Exit(ReportOutOfMemory(*g_command));
        } catch (...) {
        }
    }
    std::abort();
}

}  // namespace

void KeepMemoryReserve(const CommandInProgress& command) {
    g_command = &command;
    g_retryBlock = std::malloc(kBlockBytes);
    g_unwindBlock = std::malloc(kBlockBytes);
    std::set_new_handler(OnOutOfMemory);
    std::set_terminate(OnTerminate);
}

int ReportOutOfMemory(const CommandInProgress& command) noexcept {
    std::fputs("tvx: out of memory while ", stderr);
    std::fputs(command.doing, stderr);
    if (!command.file.empty()) {
        std::fputs(" ", stderr);
        std::fputs(command.file.c_str(), stderr);
    }
    std::fputs("\n", stderr);
    return 1;
}

}  // namespace tvx::tool
