#include "win32/Win32_Fonts.h"
#include "win32/Win32_Registry.h"
#include "win32/tests/Check.h"

#include <cmath>
#include <string>

int Registry_Tests() {
    Check_Count C;
    Win32_Registry Registry;
    Registry_Key Key = 0;
    // HKEY_LOCAL_MACHINE as a 32-bit value must reach the system sign-extended on x64.
    CHECK(C,
          Registry.Open_Key(HKEY_LOCAL_MACHINE_, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                            KEY_QUERY_ALL_, Key) == ERROR_SUCCESS_);
    uint32_t Type = 0, Size = 0;
    std::vector<uint8_t> Buffer(1024);
    CHECK(C, Registry.Query_Value(Key, "CurrentVersion", Type, Buffer, Size) == ERROR_SUCCESS_);
    CHECK(C, Type == REG_SZ_ && Size > 1 && Buffer[Size - 1] == 0);
    // A value longer than the room offered is reported, with the size it needs.
    std::vector<uint8_t> Small(1);
    uint32_t Needed = 0;
    CHECK(C, Registry.Query_Value(Key, "CurrentVersion", Type, Small, Needed) == ERROR_MORE_DATA_);
    CHECK(C, Needed == Size);
    Registry.Close_Key(Key);
    CHECK(C, Registry.Query_Value(Key, "CurrentVersion", Type, Buffer, Size) != 0);
    Registry.Close_Key(Key); // twice is harmless
    Registry_Key Missing = 0;
    CHECK(C, Registry.Open_Key(HKEY_LOCAL_MACHINE_, "SOFTWARE\\No\\Such\\Key", KEY_QUERY_ALL_,
                               Missing) != ERROR_SUCCESS_);
    return C.Failures;
}

int Font_Tests() {
    Check_Count C;
    Win32_Font_Chooser Fonts;
    const Font_Spec Bold = Fonts.Realize(Font_Spec{"Times New Roman", 14, true, true, true});
    CHECK(C, Bold.Bold && Bold.Italic && Bold.Underline);
    const Font_Spec Huge = Fonts.Realize(Font_Spec{"Arial", 1e30f});
    CHECK(C, std::isfinite(Huge.Size) && Huge.Size <= 1638);
    // A face name longer than the system allows is cut, not overrun.
    const LOGFONTW Log = To_Log_Font(Font_Spec{std::string(100, 'x'), 10}, 96);
    CHECK(C, Log.lfFaceName[LF_FACESIZE - 1] == L'\0' && Log.lfHeight == -13);
    return C.Failures;
}
