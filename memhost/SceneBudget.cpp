#include "memhost/SceneBudget.h"

#include <limits>

namespace memhost {

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) {
    return a > std::numeric_limits<std::uint64_t>::max() - b ? std::numeric_limits<std::uint64_t>::max() : a + b;
}

std::uint64_t SaturatingProduct(std::uint64_t a, std::uint64_t b) {
    return b != 0 && a > std::numeric_limits<std::uint64_t>::max() / b ? std::numeric_limits<std::uint64_t>::max()
                                                                        : a * b;
}

std::string MiBText(std::uint64_t bytes) {
    constexpr std::uint64_t kMiB = 1u << 20;
    return std::to_string(bytes / kMiB + (bytes % kMiB != 0 ? 1 : 0)) + " MiB";
}

SceneBudget::SceneBudget(std::uint64_t inputBytes, std::uint64_t ceiling)
    : ceiling_(ceiling), limit_(SaturatingAdd(SaturatingProduct(inputBytes, kSceneBytesPerInputByte), ceiling)) {}

void SceneBudget::Take(std::uint64_t bytes, const std::string& what) {
    taken_ = SaturatingAdd(taken_, bytes);
    if (taken_ > limit_) {
        throw OverBudget(what + " would take " + MiBText(taken_) + ", beyond the " + MiBText(limit_) +
                         " this file may use (" + std::to_string(kSceneBytesPerInputByte) +
                         " bytes per byte it holds, plus " + MiBText(ceiling_) + ")");
    }
}

}  // namespace memhost
