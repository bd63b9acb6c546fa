#pragma once
#include "platform/Registry.h"
#include "win32/Unique_Handle.h"

#include <map>

// The 8-bit registry calls; every open key is owned here, so a caller that forgets to close
// one leaks nothing past this object.
class Win32_Registry final : public Registry {
  public:
    long Open_Key(uint32_t Root, std::string_view Key_Name, uint32_t Access,
                  Registry_Key& Key) override;
    long Query_Value(Registry_Key Key, std::string_view Value_Name, uint32_t& Type,
                     std::vector<uint8_t>& Buffer, uint32_t& Size) override;
    void Close_Key(Registry_Key Key) override;
    long Create_User_Key(std::string_view Key_Name, uint32_t Access, Registry_Key& Key) override;
    long Query_String(Registry_Key Key, std::string_view Value_Name, std::string& Utf8) override;
    long Set_String(Registry_Key Key, std::string_view Value_Name, std::string_view Utf8) override;
    long Delete_Value(Registry_Key Key, std::string_view Value_Name) override;

  private:
    std::map<Registry_Key, Unique_Key> Open_;
};
