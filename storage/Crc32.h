#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// CRC-32 as zip and PNG compute it (reflected, polynomial 0xEDB88320).
uint32_t Crc32(const void* Data, size_t Size, uint32_t Crc = 0);
inline uint32_t Crc32(std::string_view S) {
    return Crc32(S.data(), S.size());
}
