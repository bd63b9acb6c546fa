#include "storage/Program_Names.h"

#include <gtest/gtest.h>

// The file name counts, quoted or not, in any case of ASCII letters; other letters match byte
// for byte; an unknown program is never kept out, not even by a blank entry.
TEST(Program_Names, FileNamePartAndCaselessMatch) {
    EXPECT_EQ(Program_Name(" \"C:\\Program Files\\K/a b.exe\"\t"), "a b.exe");
    EXPECT_EQ(Program_Name("C:\\dir\\ "), "");
    const std::vector<std::string> Excluded{"KeePass.exe", "\xC3\x84rger.exe", " "};
    for (const char* Kept_Out : {"keepass.EXE", "C:\\x\\KEEPASS.exe", "\xC3\x84rger.exe"})
        EXPECT_TRUE(Is_Excluded(Excluded, Kept_Out)) << Kept_Out;
    for (const char* Kept : {"KeePass.ex", "KeePass.exe2", "\xC3\xA4RGER.exe", "", " "})
        EXPECT_FALSE(Is_Excluded(Excluded, Kept)) << Kept;
}
