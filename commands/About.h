#pragma once
#include "platform/Registry.h"

#include <cstdint>
#include <string>

inline constexpr const char* Build_Date = "June 5, 1999";
inline constexpr const char* SysInfo_Unavailable = "System Information Is Unavailable At This Time";

// Reads one registry value into KeyVal (8-bit text; a REG_DWORD in decimal). A value longer
// than the 1024-byte buffer is a failure, never a cut string.
bool GetKeyValue(Registry& Reg, uint32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

struct Command_Context;

void StartSysInfo(Command_Context& Ctx);

void mnuAbout_Click(Command_Context& Ctx);
