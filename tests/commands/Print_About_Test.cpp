#include "commands/About.h"
#include "tests/commands/Rig.h"

#include <gtest/gtest.h>

namespace {

TEST(Printing, OperationsAndPage) {
    const Texts_t Tip_Font = {"Name Times New Roman", "Size 14", "Bold 1", "Italic 0",
                              "Underline 0"};
    const Texts_t Text_Font = {"Name Courier New", "Size 10", "Bold 0", "Italic 0", "Underline 0"};
    const auto Ops = [](std::initializer_list<Texts_t> Parts) {
        Texts_t Out;
        for (const auto& P : Parts)
            Out.insert(Out.end(), P.begin(), P.end());
        return Out;
    };
    const struct {
        const char* Name;
        bool Print_Tip;
        const char *Description, *Text;
        Texts_t Log, Lines;
    } Cases[] = {
        {"with description",
         true,
         "Desc",
         "Body",
         Ops({Tip_Font, {"Print Desc", "Print "}, Text_Font, {"Print Body", "End_Doc"}}),
         {"Desc", "", "Body"}},
        {"without description",
         false,
         "Desc",
         "Body",
         Ops({Text_Font, {"Print Body", "End_Doc"}}),
         {"Body"}},
        {"empty description",
         true,
         "",
         "Body",
         Ops({Tip_Font, {"Print ", "Print "}, Text_Font, {"Print Body", "End_Doc"}}),
         {"", "", "Body"}},
        {"several lines kept as they are",
         false,
         "",
         "  one\r\ntwo  \r\n\r\n",
         Ops({Text_Font, {"Print   one\r\ntwo  \r\n\r\n", "End_Doc"}}),
         {"  one", "two  ", "", ""}},
    };
    for (const auto& K : Cases) {
        SCOPED_TRACE(K.Name);
        Rig R({"A", "B"}, 1);
        R.M.List.Nodes[1].Data = Slot_Record{true, K.Text, K.Description};
        R.M.Util.Print_Tip = K.Print_Tip;
        R.Cmd.mnuPrint_Click();
        EXPECT_EQ(R.T.Printer_.Log, K.Log);
        ASSERT_EQ(R.T.Printer_.Documents.size(), 1u);
        Texts_t Lines;
        for (const auto& L : R.T.Printer_.Documents[0])
            Lines.push_back(L.Text);
        EXPECT_EQ(Lines, K.Lines);
        EXPECT_EQ(R.T.Printer_.Documents[0].back().Font_Name, "Courier New");
        EXPECT_EQ(R.T.Box.Shown, 0);
    }
}

TEST(Printing, FailureIsReportedAndChangesNothing) {
    Rig R({"A", "*B"}, 1);
    R.T.Printer_.Fail_Reason = "No printer is installed.";
    const auto Before = R.Texts();
    R.Cmd.mnuPrint_Click();
    EXPECT_EQ(R.T.Box.Log.Lines, Texts_t{"Ok: PimLoft: The slot could not be printed.\r\n\r\n"
                                         "No printer is installed."});
    EXPECT_EQ(R.Texts(), Before);
    EXPECT_EQ(R.M.Util.Current_Slot, 1);
    EXPECT_EQ(R.T.Clip_Board.Writes, 0);
}

TEST(About, CaptionsAreFreshEachTime) {
    Rig R({"A"});
    for (int Round = 1; Round <= 2; ++Round) {
        R.Cmd.mnuAbout_Click();
        const std::map<About_Control, std::string> Want = {
            {About_Control::Caption, "About PimLoft"},
            {About_Control::lblTitle, "PimLoft - Clipboard Viewer/Editor"},
            {About_Control::lblVersion, "Version 1.0.8"},
            {About_Control::lblDescription, ""},
            {About_Control::lblDisclaimer,
             "Developed by: PimLoft Project\r\nBuild Date: June 5, 1999"}};
        for (const auto& [Control, Text] : Want)
            EXPECT_EQ(R.T.Dialogs.About_Texts.at(Control), Text);
        EXPECT_EQ(R.T.Dialogs.About_Created, Round);
    }
}

const char* const Msinfo_Key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const Location_Key = "SOFTWARE\\Microsoft\\Shared Tools Location";

std::vector<uint8_t> Bytes(const std::string& S) {
    return {S.begin(), S.end()};
}

TEST(About, GetKeyValue) {
    const std::string Longest(1023, 'p');
    const struct {
        const char* Name;
        const char* Value_Name; // stored under this name, of this type
        uint32_t Type;
        std::vector<uint8_t> Data;
        bool Result;
        std::string Value;
    } Cases[] = {
        {"string", "path", REG_SZ_, Bytes(std::string("C:\\m.exe", 9)), true, "C:\\m.exe"},
        {"string without terminator", "PATH", REG_SZ_, {'a', 'b'}, true, "ab"},
        {"dword in decimal", "PATH", REG_DWORD_, {0x00, 0x28, 0x6B, 0xEE}, true, "4000000000"},
        {"other type leaves the value", "PATH", 2, {'x', 0}, true, "before"},
        {"longest that fits", "PATH", REG_SZ_, Bytes(Longest + '\0'), true, Longest},
        {"too long is a failure", "PATH", REG_SZ_, Bytes(Longest + "p" + '\0'), false, ""},
        {"missing value", "OTHER", REG_SZ_, {'x', 0}, false, ""},
        {"missing key", nullptr, 0, {}, false, ""},
        {"key denied", "PATH", REG_SZ_, {'x', 0}, false, ""},
    };
    for (const auto& K : Cases) {
        SCOPED_TRACE(K.Name);
        Fake_Registry Reg;
        if (K.Value_Name)
            Reg.Set_Raw(HKEY_LOCAL_MACHINE_, Msinfo_Key, K.Value_Name, K.Type, K.Data);
        if (std::string(K.Name) == "key denied")
            Reg.Denied.insert(Fake_Registry::Key_Id(HKEY_LOCAL_MACHINE_, Msinfo_Key));
        std::string Value = "before";
        EXPECT_EQ(GetKeyValue(Reg, HKEY_LOCAL_MACHINE_, Msinfo_Key, "PATH", Value), K.Result);
        EXPECT_EQ(Value, K.Value);
        EXPECT_TRUE(Reg.Open.empty()); // every key opened is closed
    }
}

TEST(About, StartSysInfo) {
    const struct {
        const char* Name;
        const char* Path;   // under MSINFO\PATH ("" another type), or null
        const char* Folder; // under Shared Tools Location\MSINFO, or null
        bool Exe_Exists, Start_Fails;
        const char* Started; // null: the message
    } Cases[] = {
        {"path value", "C:\\Tools\\msinfo32.exe", "C:\\Other", true, false,
         "C:\\Tools\\msinfo32.exe"},
        {"path started without a check", "C:\\Gone.exe", nullptr, false, false, "C:\\Gone.exe"},
        {"location value", nullptr, "C:\\Tools", true, false, "C:\\Tools\\MSINFO32.EXE"},
        {"location without the program", nullptr, "C:\\Tools", false, false, nullptr},
        {"nothing registered", nullptr, nullptr, false, false, nullptr},
        {"path of another type", "", nullptr, false, false, nullptr},
        {"start fails", "C:\\Tools\\msinfo32.exe", nullptr, false, true, nullptr},
    };
    for (const auto& K : Cases) {
        SCOPED_TRACE(K.Name);
        Rig R({"A"});
        auto& Reg = R.T.Registry_;
        if (K.Path)
            Reg.Set_Raw(HKEY_LOCAL_MACHINE_, Msinfo_Key, "PATH", *K.Path ? REG_SZ_ : 2,
                        Bytes(std::string(*K.Path ? K.Path : "x") + '\0'));
        if (K.Folder)
            Reg.Set_Raw(HKEY_LOCAL_MACHINE_, Location_Key, "MSINFO", REG_SZ_,
                        Bytes(std::string(K.Folder) + '\0'));
        if (K.Exe_Exists) R.T.Files.Files["C:\\Tools\\MSINFO32.EXE"] = {};
        if (K.Start_Fails) R.T.Shell_.Fail_Start.insert(K.Path);
        R.T.Dialogs.On_About = [](Fake_About_View& V) { V.Events->cmdSysInfo_Click(); };
        R.Cmd.mnuAbout_Click();
        EXPECT_EQ(R.T.Shell_.Started, K.Started ? Texts_t{K.Started} : Texts_t{});
        EXPECT_EQ(R.T.Box.Log.Lines,
                  K.Started
                      ? Texts_t{}
                      : Texts_t{"Ok: PimLoft: System Information Is Unavailable At This Time"});
    }
}

} // namespace
