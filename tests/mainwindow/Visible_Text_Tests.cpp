#include "mainwindow/Visible_Text.h"
#include "tests/doubles/Fake_System_Colors.h"
#include "tests/doubles/Pixel_Surface.h"

#include <gtest/gtest.h>

namespace {

// What shows must not change when only the visible part is drawn, whatever the text's shape.
TEST(Visible_Text, ShowsExactlyWhatTheWholeTextShows) {
    const std::string Long(5000, 'w');
    const std::string Texts[] = {
        "",
        "short",
        Long,
        "line one\r\nline two\r\nline three\r\nline four",
        "a\n\rb\r\rc\n\nd",
        "\r\n\r\nthird line only",
        Long + "\r\n" + Long + "\n" + Long,
        "&amp; " + Long.substr(0, 300),
        "\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80 " + Long.substr(0, 400),
        std::string(2000, 'e') + std::string(3000, '\xCC'),
        "e\xCC\x81\xCC\x81\xCC\x81" + std::string(100, '\t') + Long,
    };
    const Fake_System_Colors Colors;
    for (const int Width : {0, 1, 40, 180, 700})
        for (const int Line_Height : {1, 5, 13, 18, 30})
            for (const int Char_Width : {1, 6})
                for (size_t T = 0; T < std::size(Texts); ++T) {
                    Pixel_Surface Whole(Colors, Width + 60, 30), Cut(Colors, Width + 60, 30);
                    for (Pixel_Surface* S : {&Whole, &Cut}) {
                        S->Line_Height = Line_Height;
                        S->Char_Width = Char_Width;
                    }
                    const Rect R{3, 2, 3 + Width, 20};
                    Whole.Draw_Text(Texts[T], R, 7);
                    const std::string Shown = Visible_Text(Texts[T], Width, 18, Line_Height);
                    Cut.Draw_Text(Shown, R, 7);
                    ASSERT_TRUE(Whole == Cut)
                        << "text " << T << " width " << Width << " line " << Line_Height;
                    ASSERT_LE(Shown.size(), 4 * 16 * (2 * size_t(Width) + 16) * 18 + 36);
                }
}

TEST(Visible_Text, CostDoesNotGrowWithTheText) {
    const std::string Huge = std::string(1 << 20, 'x') + "\r\n" + std::string(1 << 20, 'y');
    const std::string Shown = Visible_Text(Huge, 200, 18, 13);
    EXPECT_LT(Shown.size(), 1000u);
    EXPECT_EQ(Shown.substr(Shown.size() - 3), "yyy");
}

} // namespace
