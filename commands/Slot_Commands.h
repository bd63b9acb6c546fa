#pragma once
#include <string>

struct Main;

void mnuAdd_Click(Main& M);
void mnuCopy_Click(Main& M);
void mnuClear_Click(Main& M);
void mnuDelete_Click(Main& M);
void mnuTop_Click(Main& M);
void mnuHelp_Click(Main& M);
// The HTML manual beside the old help file.
std::string Html_Manual(const Main& M);

inline constexpr const char* Clear_Warning = "Are you sure you want to clear this locked buffer?";
inline constexpr const char* Clear_Title = "Confirm Clear";
inline constexpr const char* Delete_Warning = "Are you sure you want to delete this locked buffer?";
inline constexpr const char* Delete_Title = "Confirm Delete";
