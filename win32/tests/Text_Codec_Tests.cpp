#include "win32/Win32_Text_Codec.h"
#include "win32/tests/Check.h"

#include <windows.h>

int Text_Codec_Tests() {
    Check_Count C;
    Win32_Text_Codec Codec;
    // Every BMP character must upper-case the way ordinal ignore-case compares, or a duplicate
    // would be filed twice.
    int Disagree = 0;
    for (wchar_t Ch = 1; Ch < 0xFFFF; ++Ch) {
        const wchar_t Up = static_cast<wchar_t>(Codec.Upper_Case(Ch));
        Disagree += (Ch < 0xD800 || Ch > 0xDFFF) && CompareStringOrdinal(&Ch, 1, &Up, 1, TRUE) != CSTR_EQUAL;
    }
    CHECK(C, Disagree == 0 && Codec.Upper_Case(U'\U0001F600') == U'\U0001F600');

    if (GetACP() != 1252) {
        std::printf("  code page %u: code page cases skipped\n", GetACP());
        return C.Failures;
    }
    const struct {
        const char* Utf8;
        size_t Max;
        const char* Bytes;
        bool Exact;
    } Cases[] = {
        {"caf\xC3\xA9 \xE2\x82\xAC", 10, "caf\xE9 \x80", true},
        {"abc", 2, "ab", false},
        {"\xE6\x97\xA5", 10, "?", false}, // no equivalent
        {"\xC4\x93", 10, "?", false},     // no best-fit 'e'
        {"a\xF0\x9F\x98\x80", 1, "a", false},
    };
    for (const auto& K : Cases) {
        const Code_Page_Text T = Codec.To_Code_Page(K.Utf8, K.Max);
        CHECK(C, T.Bytes == K.Bytes && T.Exact == K.Exact);
    }
    CHECK(C, Codec.From_Code_Page("caf\xE9 \x80") == "caf\xC3\xA9 \xE2\x82\xAC");
    return C.Failures;
}
