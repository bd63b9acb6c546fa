#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

inline constexpr uint32_t HKEY_LOCAL_MACHINE_ = 0x80000002u;
inline constexpr uint32_t KEY_QUERY_ALL_ = 0x2003Fu; // READ_CONTROL and the six key rights
inline constexpr uint32_t REG_SZ_ = 1;
inline constexpr uint32_t REG_DWORD_ = 4;
inline constexpr long ERROR_SUCCESS_ = 0;
inline constexpr long ERROR_MORE_DATA_ = 234;

using Registry_Key = uintptr_t;

// Read-only access to the registry, as RegOpenKeyEx / RegQueryValueEx give it (8-bit strings).
struct Registry {
    virtual ~Registry() = default;
    virtual long Open_Key(uint32_t Root, std::string_view Key_Name, uint32_t Access,
                          Registry_Key& Key) = 0;
    // Buffer.size() is the room offered; Size receives the bytes the value holds.
    virtual long Query_Value(Registry_Key Key, std::string_view Value_Name, uint32_t& Type,
                             std::vector<uint8_t>& Buffer, uint32_t& Size) = 0;
    virtual void Close_Key(Registry_Key Key) = 0;
};
