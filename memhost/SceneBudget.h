// What reading a scene file may build beyond what the file holds, priced
// before it is built.
//
// A file can say "this mesh, placed by each of these nodes" or "sample this
// channel at every frame for an hour" in a few bytes, and the exporter then
// builds every copy and every key. A read prices what the file repeats and
// takes it from a budget of kSceneBytesPerInputByte per byte of the file
// (and of its buffers) plus a ceiling the user chooses; a file over budget
// is refused with what asked for how much, before anything is built.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace memhost {

inline constexpr std::uint64_t kSceneBytesPerInputByte = 64;
inline constexpr std::uint64_t kDefaultMaxSceneBytes = 512u << 20;

// A file refused for the memory it would take rather than for what it says.
class OverBudget : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SceneBudget {
public:
    SceneBudget(std::uint64_t inputBytes, std::uint64_t ceiling);

    // Takes `bytes` for `what`, or throws OverBudget saying what asked for
    // how much of what limit.
    void Take(std::uint64_t bytes, const std::string& what);

private:
    std::uint64_t ceiling_;
    std::uint64_t limit_;
    std::uint64_t taken_ = 0;
};

// a + b and a * b, held at the largest value instead of wrapping.
std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b);
std::uint64_t SaturatingProduct(std::uint64_t a, std::uint64_t b);

// "12 MiB", rounded up.
std::string MiBText(std::uint64_t bytes);

}  // namespace memhost
