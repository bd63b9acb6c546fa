#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// XXH32 (seed 0): the check of the Unicode block. Several times faster than CRC-32 on both
// 32- and 64-bit builds, which matters for a block of some hundred megabytes.
uint32_t Xxh32(const void* Data, size_t Size);
inline uint32_t Xxh32(std::string_view S) {
    return Xxh32(S.data(), S.size());
}
