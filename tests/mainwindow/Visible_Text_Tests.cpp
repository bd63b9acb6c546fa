#include "mainwindow/Visible_Text.h"
#include "slots/SlotRecord.h"
#include "tests/doubles/Fake_System_Colors.h"
#include "tests/doubles/Pixel_Surface.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Draw_Setup {
    int Width = 180, Height = 18, Line_Height = 13, Char_Width = 6;
};

// Pixels of the whole text against pixels of its visible part, in a rectangle at (3, 2).
::testing::AssertionResult Shows_Like_Whole(const Slot_Text& Text, Draw_Setup D) {
    const Fake_System_Colors Colors;
    Pixel_Surface Whole(Colors, D.Width + 60, D.Height + 12),
        Cut(Colors, D.Width + 60, D.Height + 12);
    for (Pixel_Surface* S : {&Whole, &Cut}) {
        S->Line_Height = D.Line_Height;
        S->Char_Width = D.Char_Width;
    }
    const Rect R{3, 2, 3 + D.Width, 2 + D.Height};
    Whole.Draw_Text(Text.str(), R, 7);
    const std::string Shown = Visible_Text(Text, D.Width, D.Height, D.Line_Height);
    Cut.Draw_Text(Shown, R, 7);
    if (!(Whole == Cut)) return ::testing::AssertionFailure() << "drawn as \"" << Shown << '"';
    // Even a run of zero-width characters may only cost so much.
    if (Shown.size() > 4 * 16 * (2 * size_t(D.Width) + 16) * 40 + 80)
        return ::testing::AssertionFailure() << Shown.size() << " bytes handed on";
    return ::testing::AssertionSuccess();
}

// What shows must not change when only the visible part is drawn, whatever the text's shape.
TEST(Visible_Text, ShowsExactlyWhatTheWholeTextShows) {
    const std::string Long(5000, 'w');
    std::string Many_Lines;
    for (int I = 0; I < 30; ++I)
        Many_Lines += std::to_string(I) + (I % 3 == 0 ? "\r\n" : I % 3 == 1 ? "\n\r" : "\n");
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
        std::string(300, '\xE4') + "\n" + std::string(600, '\xB8') + "\r\n" + Long,
        Many_Lines + Long,
        Many_Lines.substr(0, 41),
    };
    // 40 px is taller than a row: more lines than a text keeps track of.
    for (const int Height : {18, 40})
        for (const int Width : {0, 1, 40, 180, 700})
            for (const int Line_Height : {1, 5, 13, 18, 30})
                for (const int Char_Width : {1, 6})
                    for (size_t T = 0; T < std::size(Texts); ++T)
                        ASSERT_TRUE(
                            Shows_Like_Whole(Texts[T], {Width, Height, Line_Height, Char_Width}))
                            << "text " << T << " width " << Width << " height " << Height
                            << " line " << Line_Height << " char " << Char_Width;
}

TEST(Visible_Text, CostDoesNotGrowWithTheText) {
    const std::string Huge = std::string(1 << 20, 'x') + "\r\n" + std::string(1 << 20, 'y');
    const std::string Shown = Visible_Text(Huge, 200, 18, 13);
    EXPECT_LT(Shown.size(), 1000u);
    EXPECT_EQ(Shown.substr(Shown.size() - 3), "yyy");
}

// A text remembers where its lines end from the first draw on; replacing it in any way must
// not leave those ends behind, or a redraw shows the old text's lines cut into the new one.
TEST(Visible_Text, ATextChangedAfterADrawShowsItsOwnLines) {
    const Draw_Setup Row{180, 18, 13, 6}, One_Px_Lines{180, 18, 1, 1};
    const std::string Late = "abcdefgh\r\nijk", Early = "ab\r\ncdefghijk"; // same size
    struct Case {
        const char* Name;
        std::function<void(Slot_Text&, const std::string&)> Set;
    };
    const Case Cases[] = {
        {"std::string", [](Slot_Text& T, const std::string& S) { T = S; }},
        {"moved std::string", [](Slot_Text& T, const std::string& S) { T = std::string(S); }},
        {"const char*", [](Slot_Text& T, const std::string& S) { T = S.c_str(); }},
        {"string_view", [](Slot_Text& T, const std::string& S) { T = std::string_view(S); }},
        {"record",
         [](Slot_Text& T, const std::string& S) {
             T = Slot_Record{false, S, ""}.Text;
         }},
        {"copy of a drawn text",
         [&](Slot_Text& T, const std::string& S) {
             const Slot_Text Other = S;
             EXPECT_TRUE(Shows_Like_Whole(Other, Row));
             T = Other;
         }},
        {"move of a drawn text",
         [&](Slot_Text& T, const std::string& S) {
             Slot_Text Other = S;
             EXPECT_TRUE(Shows_Like_Whole(Other, Row));
             T = std::move(Other);
             EXPECT_TRUE(Shows_Like_Whole(Other, Row)) << "moved from";
             Other = S == Late ? Early : Late;
             EXPECT_TRUE(Shows_Like_Whole(Other, Row)) << "moved from, then set";
         }},
    };
    for (const Case& C : Cases)
        for (const auto& [Before, After] : {std::pair{Late, Early}, std::pair{Early, Late}}) {
            Slot_Text T = Before;
            ASSERT_TRUE(Shows_Like_Whole(T, Row));
            C.Set(T, After);
            EXPECT_EQ(T, After) << C.Name;
            EXPECT_TRUE(Shows_Like_Whole(T, Row)) << C.Name;
            EXPECT_TRUE(Shows_Like_Whole(T, One_Px_Lines)) << C.Name;
        }
}

TEST(Visible_Text, ACopyShowsTheSameAsItsOriginal) {
    Slot_Text Original = std::string(100, 'x') + "\n" + std::string(5000, 'y') + "\r\nz";
    const std::string Shown = Visible_Text(Original, 100, 18, 5);
    const Slot_Text Copy = Original;
    Slot_Record Rec{true, "", ""};
    Rec.Text = Original;
    Original = "gone";
    EXPECT_EQ(Visible_Text(Copy, 100, 18, 5), Shown);
    EXPECT_EQ(Visible_Text(Rec.Text, 100, 18, 5), Shown);
    EXPECT_EQ(Visible_Text(Original, 100, 18, 5), "gone");
}

} // namespace
