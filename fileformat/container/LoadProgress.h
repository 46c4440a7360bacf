// The host's progress display as a load drives it. The importer binds this to
// the host's progress bar; tools and tests supply their own.
#pragma once

#include <string_view>

namespace tvx {

class LoadProgress {
public:
    virtual ~LoadProgress() = default;
    virtual void Start(std::string_view title) = 0;
    virtual void Update(int percent) = 0;
    virtual void End() = 0;
};

class NoProgress final : public LoadProgress {
public:
    void Start(std::string_view) override {}
    void Update(int) override {}
    void End() override {}
};

inline constexpr std::string_view kReadingTitle = "Reading...(please wait)";

}  // namespace tvx
