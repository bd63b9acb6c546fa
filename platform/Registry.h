#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

inline constexpr uint32_t HKEY_CURRENT_USER_ = 0x80000001u;
inline constexpr uint32_t HKEY_LOCAL_MACHINE_ = 0x80000002u;
inline constexpr uint32_t KEY_QUERY_VALUE_ = 0x0001u, KEY_SET_VALUE_ = 0x0002u;
inline constexpr uint32_t KEY_QUERY_ALL_ = 0x2003Fu; // READ_CONTROL and the six key rights
inline constexpr uint32_t REG_SZ_ = 1;
inline constexpr uint32_t REG_DWORD_ = 4;
inline constexpr long ERROR_SUCCESS_ = 0;
inline constexpr long ERROR_MORE_DATA_ = 234;

using Registry_Key = uintptr_t;

// Access to the registry as RegOpenKeyEx / RegQueryValueEx give it (8-bit strings), and the
// current user's string values read and written in Unicode.
struct Registry {
    virtual ~Registry() = default;
    virtual long Open_Key(uint32_t Root, std::string_view Key_Name, uint32_t Access,
                          Registry_Key& Key) = 0;
    // Buffer.size() is the room offered; Size receives the bytes the value holds.
    virtual long Query_Value(Registry_Key Key, std::string_view Value_Name, uint32_t& Type,
                             std::vector<uint8_t>& Buffer, uint32_t& Size) = 0;
    virtual void Close_Key(Registry_Key Key) = 0;
    // Opens the key under HKEY_CURRENT_USER, made when missing.
    virtual long Create_User_Key(std::string_view Key_Name, uint32_t Access, Registry_Key& Key) = 0;
    // A REG_SZ value in UTF-8; an error when missing or of another type.
    virtual long Query_String(Registry_Key Key, std::string_view Value_Name, std::string& Utf8) = 0;
    virtual long Set_String(Registry_Key Key, std::string_view Value_Name,
                            std::string_view Utf8) = 0;
    virtual long Delete_Value(Registry_Key Key, std::string_view Value_Name) = 0;
};

// A key under HKEY_CURRENT_USER, made when missing, open to read and set values for the
// scope's life.
struct User_Key_Scope {
    Registry& R;
    Registry_Key Key = 0;
    long Status;
    User_Key_Scope(Registry& Reg, std::string_view Name)
        : R(Reg), Status(Reg.Create_User_Key(Name, KEY_QUERY_VALUE_ | KEY_SET_VALUE_, Key)) {}
    ~User_Key_Scope() {
        if (Status == ERROR_SUCCESS_) R.Close_Key(Key);
    }
    User_Key_Scope(const User_Key_Scope&) = delete;
    User_Key_Scope& operator=(const User_Key_Scope&) = delete;
};
