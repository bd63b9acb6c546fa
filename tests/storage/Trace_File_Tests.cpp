#include "storage/Trace_File.h"
#include "tests/doubles/Memory_File_System.h"

#include <gtest/gtest.h>

namespace {

const std::string Log_Path = "C:\\PimLoft\\PimLoft.log";
const std::string Stamp = "2026-12-06 15:30:00 ";

std::string Text_Of(Memory_File_System& Fs) {
    const std::vector<uint8_t>& F = Fs.Files[Log_Path];
    return {F.begin(), F.end()};
}

// One stamped line on the disk per call; a file that cannot be written costs the caller nothing.
TEST(Trace_File, EachCallAddsOneStampedLineOnTheDisk) {
    Memory_File_System Fs;
    {
        Trace_File Log(Fs, Log_Path);
        EXPECT_FALSE(Fs.File_Exists(Log_Path)) << "nothing before the first failure";
        Log.Failure("load", "it is not\r\na data file\t(9.99)");
    }
    Trace_File After_Restart(Fs, Log_Path);
    After_Restart.Note("quick paste", "shown");
    EXPECT_EQ(Text_Of(Fs),
              Stamp + "load: it is not  a data file (9.99)\r\n" + Stamp + "quick paste: shown\r\n");
    EXPECT_EQ(Fs.Unflushed_Appends, 0);
    Fs.Files.clear();
    std::string Long;
    for (int I = 0; I < 3000; ++I)
        Long += "\xC3\xA9"; // two bytes each: a cut may fall inside one
    After_Restart.Failure("x", Long);
    const std::string Line = Text_Of(Fs);
    ASSERT_LE(Line.size(), Trace_File::Max_Line_Bytes);
    EXPECT_TRUE(Line.ends_with("\xC3\xA9\r\n"));
    EXPECT_EQ((Line.size() - (Stamp + "x: ").size() - 2) % 2, 0u) << "whole characters only";
    Fs.Files[Log_Path] = {'a', '\r', '\n'};
    Trace_File Log(Fs, Log_Path);
    for (int Fault = 0; Fault < 3; ++Fault) { // the line is lost, never the caller
        Fs.Read_Out_Of_Memory = Fault == 0, Fs.Busy_Reads = Fault == 1, Fs.Fail_Create = Fault == 2;
        EXPECT_NO_THROW(Log.Failure("load", "lost"));
    }
    Fs.Fail_Create = false;
    Log.Failure("load", "three");
    EXPECT_EQ(Text_Of(Fs), "a\r\n" + Stamp + "load: three\r\n");
}

} // namespace
