// The key record of every layout that stores animation: its time, then its
// value. `io` is a field walker (fileformat/container/FieldReader.h).
#pragma once

#include <type_traits>

#include "document/SceneRecords.h"

namespace tvx {

template <class Io, class Key>
[[nodiscard]] bool KeyFields(Io& io, Key& key) {
    using Kind = std::remove_const_t<Key>;
    if (!io.Float(key.time)) {
        return false;
    }
    if constexpr (std::is_same_v<Kind, TVXPositionKey>) {
        return io.Vector(key.position);
    } else if constexpr (std::is_same_v<Kind, TVXRotationKey>) {
        return io.Quat(key.rotation);
    } else {
        static_assert(std::is_same_v<Kind, TVXScaleKey>);
        return io.Vector(key.scale);
    }
}

}  // namespace tvx
