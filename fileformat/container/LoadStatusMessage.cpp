#include "fileformat/container/LoadStatusMessage.h"

#include "fileformat/container/Decompress.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/MemoryBudget.h"

namespace tvx {

std::string_view LoadStatusMessage(int status) {
    switch (status) {
    case kLoadOk:
        return "";
    case kLoadBadMagic:
        return "File is not a Tarvex file.";
    case kLoadBadVersion:
        return "Older TVX file formats are not supported.";
    case kLoadBadLength:
        return "Corrupt file header found.";
    case kLoadCannotOpen:
        return "Could not open the file.  Try closing it first.";  // two spaces, as the host shows it
    default:
        return "There was an error importing the file.";
    }
}

std::string LoadLimitMessage(LoadLimit limit, std::uint64_t maxInflatedBytes) {
    const auto mib = [](std::uint64_t bytes) { return std::to_string(bytes >> 20) + " MiB"; };
    switch (limit) {
    case LoadLimit::InflatedSize:
        return "its compressed content inflates past the limit of " + mib(maxInflatedBytes) +
               " (or, compressed more than once, past " + std::to_string(InflateBudget::kNestedFactor) +
               " times its outer level)";
    case LoadLimit::DocumentMemory:
        return "it asks for more scene memory than its size can hold (at most " +
               std::to_string(MemoryBudget::kBytesPerBodyByte) + " bytes per byte of content, plus " +
               mib(MemoryBudget::kAlwaysAllowed) + ")";
    case LoadLimit::None:
        break;
    }
    return "";
}

}  // namespace tvx
