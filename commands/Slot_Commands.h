#pragma once
#include <string>

struct Command_Context;

void mnuAdd_Click(Command_Context& Ctx);
void mnuCopy_Click(Command_Context& Ctx);
void mnuClear_Click(Command_Context& Ctx);
void mnuDelete_Click(Command_Context& Ctx);
void mnuTop_Click(Command_Context& Ctx);
void mnuPause_Click(Command_Context& Ctx);
void mnuHelp_Click(Command_Context& Ctx);
// The HTML manual beside the old help file.
std::string Html_Manual(const Command_Context& Ctx);

inline constexpr const char* Clear_Warning = "Are you sure you want to clear this locked buffer?";
inline constexpr const char* Clear_Title = "Confirm Clear";
inline constexpr const char* Delete_Warning = "Are you sure you want to delete this locked buffer?";
inline constexpr const char* Delete_Title = "Confirm Delete";
