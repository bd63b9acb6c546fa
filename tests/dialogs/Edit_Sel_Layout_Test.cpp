#include "dialogs/Edit_Sel.h"
#include "tests/doubles/Fake_Dialogs.h"

#include <gtest/gtest.h>

namespace {

using C = Edit_Sel_Control;

struct Layout {
    Rect Editing, TipBack, Tip, OK, Cancel;
};

Layout Lay_Out(int W, int H) {
    Fake_Dialog_Factory Factory;
    EditSel Dialog(Factory.Create_Edit_Sel());
    Factory.Edit_Sel->Resize(W, H);
    const auto& V = *Factory.Edit_Sel;
    return {V.Bounds(C::Editing), V.Bounds(C::TipBack), V.Bounds(C::Tip), V.Bounds(C::OKButton),
            V.Bounds(C::CancelButton)};
}

TEST(EditSelLayout, FirstShowingAtTheDesignSize) {
    Fake_Dialog_Factory Factory;
    EditSel Dialog(Factory.Create_Edit_Sel());
    Factory.Edit_Sel->Show_Modal();
    const auto& V = *Factory.Edit_Sel;
    EXPECT_EQ(V.Bounds(C::Editing), (Rect{0, 0, 314, 148}));
    EXPECT_EQ(V.Bounds(C::TipBack), (Rect{0, 153, 314, 178}));
    EXPECT_EQ(V.Bounds(C::Tip), (Rect{112, 0, 314, 25}));
    EXPECT_EQ(V.Bounds(C::OKButton), (Rect{174, 183, 239, 208}));
    EXPECT_EQ(V.Bounds(C::CancelButton), (Rect{244, 183, 309, 208}));
    EXPECT_EQ(V.Bounds(C::Label1), (Rect{4, 4, 109, 21})); // not moved by the layout
}

TEST(EditSelLayout, SizesNeverGoNegative) {
    struct Case {
        int W, H;
        int Edit_Height, Tip_Width, Back_Top;
    };
    const Case Cases[] = {
        {600, 400, 335, 488, 340}, {113, 66, 1, 1, 6}, {112, 65, 0, 0, 5},
        {50, 30, 0, 0, -30},       {0, 0, 0, 0, -60},  {1, 1, 0, 0, -59},
    };
    for (const auto& K : Cases) {
        SCOPED_TRACE(std::to_string(K.W) + " x " + std::to_string(K.H));
        const Layout L = Lay_Out(K.W, K.H);
        EXPECT_EQ(L.Editing.Width(), K.W);
        EXPECT_EQ(L.Editing.Height(), K.Edit_Height);
        EXPECT_EQ(L.Tip.Width(), K.Tip_Width);
        EXPECT_EQ(L.TipBack.Top, K.Back_Top);
        EXPECT_EQ(L.TipBack.Height(), 25);
        EXPECT_EQ(L.OK.Width(), 65);
        EXPECT_EQ(L.Cancel.Right, K.W - 5);
        EXPECT_EQ(L.OK.Right, L.Cancel.Left - 5);
        EXPECT_EQ(L.OK.Bottom, K.H - 5);
    }
}

} // namespace
