// Why and where a body could not be read: the first fault a reader met, its
// byte offset, and the records it was in, innermost first. Readers note the
// fault where it happens and each record level adds its place as the
// failure unwinds, so nothing is spent on a file that reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvx {

enum class FaultKind {
    Truncated,     // a record runs past the end of the body
    BadCount,      // a count that the bytes after it cannot back
    BadOffset,     // a position that lies outside the body
    OverBudget,    // the records would take more memory than the file may ask
    BadString,     // a text whose stored length is negative
    DuplicateKey,  // a second map with one key in a material
};

// A record a fault lay in: its kind ("polygon", "face list") and its index
// in its list, counted from 0, or -1 for a record without one.
struct FaultPlace {
    const char* record = "";
    int index = -1;
};

struct ReadFault {
    bool noted = false;
    FaultKind kind = FaultKind::Truncated;
    std::uint32_t offset = 0;
    // The offset counts bytes of the inflated body, not of the file.
    bool inflated = false;
    std::vector<FaultPlace> places;  // innermost first
};

// "truncated polygon record at byte 1,234 in face list 2"; empty when no
// fault was noted.
std::string DescribeFault(const ReadFault& fault);

}  // namespace tvx
