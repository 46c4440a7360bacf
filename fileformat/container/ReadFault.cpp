#include "fileformat/container/ReadFault.h"

namespace tvx {
namespace {

const char* KindText(FaultKind kind) {
    switch (kind) {
    case FaultKind::Truncated:
        return "truncated";
    case FaultKind::BadCount:
        return "bad count in";
    case FaultKind::BadOffset:
        return "bad offset in";
    case FaultKind::OverBudget:
        return "over-budget";
    case FaultKind::BadString:
        return "bad string in";
    case FaultKind::DuplicateKey:
        return "duplicate key in";
    }
    return "bad";
}

// 1234567 as "1,234,567".
std::string Grouped(std::uint32_t value) {
    std::string digits = std::to_string(value);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    }
    return digits;
}

std::string Place(const FaultPlace& place) {
    return place.index >= 0 ? std::string(place.record) + " " + std::to_string(place.index) : place.record;
}

}  // namespace

std::string DescribeFault(const ReadFault& fault) {
    if (!fault.noted) {
        return {};
    }
    std::string text = KindText(fault.kind);
    text += fault.places.empty() ? " body" : " " + std::string(fault.places.front().record) + " record";
    text += " at byte " + Grouped(fault.offset);
    if (fault.inflated) {
        text += " of the inflated body";
    }
    // The record's own index is named when no numbered record encloses it.
    if (!fault.places.empty() && fault.places.front().index >= 0 &&
        (fault.places.size() == 1 || fault.places[1].index < 0)) {
        text += " (" + Place(fault.places.front()) + ")";
    }
    for (std::size_t i = 1; i < fault.places.size(); ++i) {
        text += " in " + Place(fault.places[i]);
    }
    return text;
}

}  // namespace tvx
