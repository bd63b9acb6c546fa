#include "storage/Program_Names.h"

#include <gtest/gtest.h>

namespace {

// Names as typed, pasted or read from a process: the file name is what counts, in any case of
// ASCII letters; other letters must match byte for byte, and an unknown program is never kept
// out, not even by a blank entry.
TEST(Program_Names, FileNamePartAndCaselessMatch) {
    EXPECT_EQ(Program_Name("C:\\Program Files\\KeePass\\KeePass.exe"), "KeePass.exe");
    EXPECT_EQ(Program_Name(" \"D:/tools/x.exe\" "), "x.exe");
    EXPECT_EQ(Program_Name("  a b.exe\t"), "a b.exe");
    EXPECT_EQ(Program_Name("C:\\dir\\ "), "");
    const std::vector<std::string> Excluded{"KeePass.exe", "Ärger.exe", " "};
    const struct {
        const char* Program;
        bool Excluded;
    } Cases[] = {
        {"keepass.EXE", true}, {"C:\\x\\KEEPASS.exe", true},
        {"KeePass.ex", false}, {"KeePass.exe2", false},
        {"Ärger.exe", true},   {"äRGER.exe", false},
        {"", false},           {" ", false},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Is_Excluded(Excluded, C.Program), C.Excluded) << C.Program;
}

} // namespace
