#pragma once
#include <string>
#include <string_view>
#include <vector>

// A program as the user names it: its file name, whatever path came with it. "" when none.
std::string Program_Name(std::string_view Path_Or_Name);

// Whether two names, paths or not, are the same program: Windows file names ignore case, which
// is folded for ASCII only; other bytes must match. "" is no program.
bool Same_Program(std::string_view A, std::string_view B);

// Whether copies made by Program are never kept; never so for an unknown program ("").
bool Is_Excluded(const std::vector<std::string>& Excluded, std::string_view Program);
