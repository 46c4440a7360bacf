#include "fileformat/container/AtomicFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace tvx {
namespace {

// The mode a plain fopen(..., "wb") would give a new file.
mode_t ModeForNewFile() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

mode_t ModeFor(const std::filesystem::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        return existing.st_mode & 07777;
    }
    return ModeForNewFile();
}

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

bool AtomicFile::Open(const std::filesystem::path& target) {
    Discard();
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    file_ = FileDescriptor(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!file_.valid()) {
        return false;
    }
    try {
        target_ = target;
        temporary_ = pattern;
    } catch (...) {
        // Out of memory for the names: the file just made must not stay.
        (void)file_.Close();
        ::unlink(pattern.c_str());
        throw;
    }
    return true;
}

bool AtomicFile::Write(std::span<const std::uint8_t> bytes) {
    return file_.valid() && WriteFully(file_.get(), bytes.data(), bytes.size());
}

bool AtomicFile::Commit() {
    if (!file_.valid()) {
        return false;
    }
    const bool written = ::fchmod(file_.get(), ModeFor(target_)) == 0 && ::fsync(file_.get()) == 0;
    const bool closed = file_.Close();
    if (!written || !closed || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void AtomicFile::Discard() {
    (void)file_.Close();
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

}  // namespace tvx
