#include "storage/Program_Names.h"

#include <algorithm>

std::string Program_Name(std::string_view Path_Or_Name) {
    std::string_view Name = Path_Or_Name.substr(Path_Or_Name.find_last_of("\\/") + 1);
    // Explorer's "Copy as path" brings the quotes along.
    constexpr std::string_view Trimmed = " \t\r\n\"";
    const size_t First = Name.find_first_not_of(Trimmed);
    if (First == std::string_view::npos) return {};
    return std::string(Name.substr(First, Name.find_last_not_of(Trimmed) - First + 1));
}

bool Same_Program(std::string_view A, std::string_view B) {
    const std::string X = Program_Name(A), Y = Program_Name(B);
    const auto Fold = [](char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C + 32) : C; };
    return !X.empty() && std::ranges::equal(X, Y, {}, Fold, Fold);
}

bool Is_Excluded(const std::vector<std::string>& Excluded, std::string_view Program) {
    return std::ranges::any_of(
        Excluded, [&](const std::string& Name) { return Same_Program(Name, Program); });
}
