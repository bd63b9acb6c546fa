#include "platform/win32/dialogs/Portable_Rules.h"

#include <gtest/gtest.h>

#include <limits>

TEST(Edit_Control_Text, Every_Line_Break_Becomes_Crlf_And_Nothing_Else_Changes) {
    const struct {
        const wchar_t* In;
        const wchar_t* Shown;
    } Cases[] = {
        {L"", L""},
        {L"one line", L"one line"},
        {L"a\nb", L"a\r\nb"},
        {L"a\r\nb", L"a\r\nb"},
        {L"\n\n", L"\r\n\r\n"},
        {L"a\r\n\nb", L"a\r\n\r\nb"},
        {L"a\rb", L"a\rb"}, // a lone CR is text, not a break
        {L"end\n", L"end\r\n"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(With_Crlf(C.In), C.Shown) << "input: " << C.In;
}

TEST(Printed_Lines, Crlf_And_Lone_Lf_Break_And_Empty_Lines_Are_Kept) {
    using Lines = std::vector<std::wstring_view>;
    const struct {
        const wchar_t* In;
        Lines Out;
    } Cases[] = {
        {L"", {L""}}, // an empty description still prints its line
        {L"text", {L"text"}},
        {L"a\r\nb", {L"a", L"b"}},
        {L"a\nb", {L"a", L"b"}},
        {L"a\r\n", {L"a", L""}},
        {L"\r\n\r\n", {L"", L"", L""}},
        {L"a\r\r\nb", {L"a\r", L"b"}},
        {L"a\rb", {L"a\rb"}},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Print_Lines(C.In), C.Out) << "input: " << C.In;
}

TEST(Font_Size, Sizes_From_A_Damaged_File_Become_Usable) {
    constexpr float Inf = std::numeric_limits<float>::infinity();
    const struct {
        float In, Out;
    } Cases[] = {
        {std::numeric_limits<float>::quiet_NaN(), 10},
        {Inf, 10},
        {-Inf, 10},
        {-5, 1},
        {0, 1},
        {1e30f, 1638},
        {10.5f, 10.5f},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Usable_Points(C.In), C.Out) << "input: " << C.In;
    EXPECT_EQ(Points_To_Pixels(std::numeric_limits<float>::quiet_NaN(), 96), 13);
}

TEST(Font_Size, Points_Become_Whole_Pixels_At_The_Device_Resolution) {
    EXPECT_EQ(Points_To_Pixels(10, 96), 13);
    EXPECT_EQ(Points_To_Pixels(10.5f, 96), 14);
    EXPECT_EQ(Points_To_Pixels(14, 96), 19);
    EXPECT_EQ(Points_To_Pixels(10, 600), 83); // a printer
    EXPECT_EQ(Points_To_Pixels(12, 144), 24);
}

// A label that reported 9.75 for 10 would change the stored size at every OK.
TEST(Font_Size, A_Size_The_Font_Honours_Reads_Back_As_Asked) {
    const struct {
        float Asked;
        int Em_Pixels, Dpi;
        float Reported;
    } Cases[] = {
        {10, 13, 96, 10},
        {10, 12, 96, 10},
        {10, 14, 96, 10},
        {10.5f, 14, 96, 10.5f},
        {14, 19, 96, 14},
        {12, 11, 96, 8.3f}, // a bitmap font without that size
        {36, 13, 96, 9.8f},
        {10, 0, 96, 10}, // no metrics: keep what was asked
        {std::numeric_limits<float>::quiet_NaN(), 13, 96, 10},
    };
    for (const auto& C : Cases)
        EXPECT_FLOAT_EQ(Reported_Points(C.Asked, C.Em_Pixels, C.Dpi), C.Reported)
            << C.Asked << " pt at " << C.Em_Pixels << " px";
}
