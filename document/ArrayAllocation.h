// The one allocation protocol behind every Alloc* operation of the document.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace tvx::detail {

template <class T>
void ReleaseArray(std::vector<T>& array) {
    std::vector<T>().swap(array);
}

// Replaces `array` by n default records, then lets `setDefaults(record, i)`
// give each its per-index defaults. n <= 0 is refused and leaves the array as
// it was; running out of memory leaves it absent. Returns 1 or 0.
template <class T, class SetDefaults>
int AllocArray(std::vector<T>& array, int n, SetDefaults setDefaults) {
    if (n <= 0) {
        return 0;
    }
    ReleaseArray(array);
    try {
        std::vector<T> fresh(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            setDefaults(fresh[static_cast<std::size_t>(i)], i);
        }
        array = std::move(fresh);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

template <class T>
int AllocArray(std::vector<T>& array, int n) {
    return AllocArray(array, n, [](T&, int) {});
}

}  // namespace tvx::detail
