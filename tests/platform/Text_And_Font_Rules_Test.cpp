#include "platform/Font_Size.h"
#include "platform/Text_Lines.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

TEST(Edit_Control_Text, Every_Line_Break_Becomes_Crlf_And_Nothing_Else_Changes) {
    const struct {
        const wchar_t *In, *Shown;
    } Cases[] = {
        {L"", L""},
        {L"a\nb", L"a\r\nb"},
        {L"a\r\nb", L"a\r\nb"},
        {L"\n\n", L"\r\n\r\n"},
        {L"a\r\n\nb", L"a\r\n\r\nb"},
        {L"a\rb", L"a\rb"}, // a lone CR is text
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
        {L"a\r\nb", {L"a", L"b"}},
        {L"a\nb", {L"a", L"b"}},
        {L"\r\n\r\n", {L"", L"", L""}},
        {L"a\r\r\nb", {L"a\r", L"b"}},
        {L"a\rb", {L"a\rb"}},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Print_Lines(C.In), C.Out) << "input: " << C.In;
}

TEST(Font_Size, Sizes_From_A_Damaged_File_Become_Usable) {
    const struct {
        float In, Out;
    } Cases[] = {{NaN, 10}, {Inf, 10}, {-Inf, 10}, {-5, 1}, {0, 1}, {1e30f, 1638}, {10.5f, 10.5f}};
    for (const auto& C : Cases)
        EXPECT_EQ(Usable_Points(C.In), C.Out) << "input: " << C.In;
}

TEST(Font_Size, Points_Become_Whole_Pixels_At_The_Device_Resolution) {
    const struct {
        float Points;
        int Dpi, Pixels;
    } Cases[] = {{10, 96, 13}, {10.5f, 96, 14}, {10, 600, 83}, {12, 144, 24}, {NaN, 96, 13}};
    for (const auto& C : Cases)
        EXPECT_EQ(Points_To_Pixels(C.Points, C.Dpi), C.Pixels) << C.Points << " at " << C.Dpi;
}

// A label that reported 9.75 for 10 would change the stored size at every OK.
TEST(Font_Size, A_Size_The_Font_Honours_Reads_Back_As_Asked) {
    const struct {
        float Asked;
        int Em_Pixels;
        float Reported;
    } Cases[] = {
        {10, 13, 10},       {10, 12, 10},   {10, 14, 10},
        {10.5f, 14, 10.5f}, {12, 11, 8.3f}, // a bitmap font without that size
        {10, 0, 10},                        // no metrics: keep what was asked
        {NaN, 13, 10},
    };
    for (const auto& C : Cases)
        EXPECT_FLOAT_EQ(Reported_Points(C.Asked, C.Em_Pixels, 96), C.Reported)
            << C.Asked << " pt at " << C.Em_Pixels << " px";
}

} // namespace
