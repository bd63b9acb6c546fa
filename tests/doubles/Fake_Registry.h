#pragma once
#include "platform/Registry.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

// Registry keys with typed values, names compared without case. Leaves out sub-key
// enumeration, security beyond one "denied" switch per key, and the 64-bit views.
struct Fake_Registry : Registry {
    struct Value {
        uint32_t Type = REG_SZ_;
        std::vector<uint8_t> Data;
    };

    std::map<std::string, std::map<std::string, Value>> Keys; // Key_Id(root, name) -> values
    std::set<std::string> Denied;                             // keys that refuse to open
    std::map<Registry_Key, std::string> Open;                 // handles not yet closed
    Registry_Key Next_Handle = 0x100;

    static std::string Key_Id(uint32_t Root, std::string_view Name) {
        std::string Id = std::to_string(Root) + "\\" + std::string(Name);
        std::transform(Id.begin(), Id.end(), Id.begin(),
                       [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
        return Id;
    }
    static std::string Lower(std::string_view S) { return Key_Id(0, S).substr(2); }

    void Set_Raw(uint32_t Root, std::string_view Key, std::string_view Name, uint32_t Type,
                 std::vector<uint8_t> Data) {
        Keys[Key_Id(Root, Key)][Lower(Name)] = Value{Type, std::move(Data)};
    }
    long Open_Key(uint32_t Root, std::string_view Key_Name, uint32_t, Registry_Key& Key) override {
        const std::string Id = Key_Id(Root, Key_Name);
        if (Denied.count(Id)) return 5; // ERROR_ACCESS_DENIED
        if (!Keys.count(Id)) return 2;  // ERROR_FILE_NOT_FOUND
        Key = ++Next_Handle;
        Open[Key] = Id;
        return ERROR_SUCCESS_;
    }
    long Query_Value(Registry_Key Key, std::string_view Value_Name, uint32_t& Type,
                     std::vector<uint8_t>& Buffer, uint32_t& Size) override {
        const auto K = Open.find(Key);
        if (K == Open.end()) return 6; // ERROR_INVALID_HANDLE
        const auto& Values = Keys[K->second];
        const auto V = Values.find(Lower(Value_Name));
        if (V == Values.end()) return 2;
        Type = V->second.Type;
        Size = static_cast<uint32_t>(V->second.Data.size());
        if (Buffer.size() < V->second.Data.size()) return ERROR_MORE_DATA_;
        std::copy(V->second.Data.begin(), V->second.Data.end(), Buffer.begin());
        return ERROR_SUCCESS_;
    }
    void Close_Key(Registry_Key Key) override { Open.erase(Key); }
};
