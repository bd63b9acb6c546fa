#include "platform/Font_Size.h"
#include "platform/Text_Lines.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Text_Lines, EditControlAndPrinterLineBreaks) {
    const std::tuple<const wchar_t*, const wchar_t*, std::vector<std::wstring_view>> Cases[] = {
        {L"", L"", {L""}}, // an empty description still prints its line
        {L"a\nb", L"a\r\nb", {L"a", L"b"}},
        {L"a\r\n\nb", L"a\r\n\r\nb", {L"a", L"", L"b"}},
        {L"a\r\r\nb", L"a\r\r\nb", {L"a\r", L"b"}},
        {L"a\rb", L"a\rb", {L"a\rb"}}}; // a lone CR is text
    for (const auto& [In, Shown, Printed] : Cases)
        EXPECT_TRUE(With_Crlf(In) == Shown && Print_Lines(In) == Printed) << In;
}

// A label that reported 9.75 for 10 would change the stored size at every OK.
TEST(Font_Size, UsablePixelsAndReportedSizes) {
    const float NaN = std::numeric_limits<float>::quiet_NaN(),
                Inf = std::numeric_limits<float>::infinity();
    // asked, usable, pixels at 96 dpi, reported for that em height
    const std::tuple<float, float, int, float> Cases[] = {{NaN, 10, 13, 10},
                                                          {-Inf, 10, 13, 10},
                                                          {0, 1, 1, 1},
                                                          {1e30f, 1638, 2184, 1638},
                                                          {10.5f, 10.5f, 14, 10.5f}};
    for (const auto& [Asked, Usable, Pixels, Reported] : Cases)
        EXPECT_TRUE(Usable_Points(Asked) == Usable && Points_To_Pixels(Asked, 96) == Pixels &&
                    Reported_Points(Asked, Pixels + 1, 96) == Reported)
            << Asked;
    EXPECT_EQ(Points_To_Pixels(10, 600), 83);
    EXPECT_FLOAT_EQ(Reported_Points(12, 11, 96), 8.3f); // a bitmap font without that size
    EXPECT_FLOAT_EQ(Reported_Points(10, 0, 96), 10);    // no metrics: what was asked
}

} // namespace
