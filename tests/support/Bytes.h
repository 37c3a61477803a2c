// Byte-level views of stored blocks for layout tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace k2q::testing {

template <class T>
std::vector<std::uint8_t> BytesOf(const T& block) {
    std::vector<std::uint8_t> bytes(sizeof block);
    std::memcpy(bytes.data(), &block, sizeof block);
    return bytes;
}

// A recognisable byte pattern of any length, different for each seed.
inline std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 13 + seed);
    }
    return bytes;
}

inline std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::int32_t>(bytes[offset] | bytes[offset + 1] << 8 |
                                     bytes[offset + 2] << 16 |
                                     static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

inline std::uint16_t Uint16At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

}  // namespace k2q::testing
