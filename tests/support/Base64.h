// Base64 (RFC 4648, padded), for the data: URIs tests write into glTF files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvx::test {

std::string Base64(const std::vector<std::uint8_t>& bytes);

}  // namespace tvx::test
