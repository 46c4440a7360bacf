// Room kept back for the moment memory runs out.
//
// The JSON library under host-scene files and glTF (nlohmann::json 3.11.2,
// inside tinygltf as well) does not survive a failed allocation: a value
// takes its new type before the storage for it is allocated, and destroying
// an array or object allocates. So the tool holds two blocks. The first
// allocation that finds no memory gives back the first block and is tried
// again, so that no library is left half-way; the next one gives back the
// second and throws std::bad_alloc, which unwinds with that room to spare
// and ends the command with its one line. Should even that not suffice, or
// should the throw land in a destructor (and so in std::terminate), the
// line is written and the process ends with status 1.
#pragma once

#include <string>

namespace tvx::tool {

// What the line names: "out of memory while <doing> <file>". Both are read
// when memory runs out, so they must stay alive until the command ends.
struct CommandInProgress {
    const char* doing = "reading the command line";
    std::string file;
};

void KeepMemoryReserve(const CommandInProgress& command);

// Writes the line, needing no memory; returns the exit status, 1.
int ReportOutOfMemory(const CommandInProgress& command) noexcept;

}  // namespace tvx::tool
