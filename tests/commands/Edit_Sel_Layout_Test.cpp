#include "commands/Edit_Sel.h"
#include "tests/doubles/Fake_Dialogs.h"

#include <gtest/gtest.h>

namespace {

using C = Edit_Sel_Control;

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
}

TEST(EditSelLayout, SizesNeverGoNegative) {
    const struct {
        int W, H, Edit_Height, Tip_Width, Back_Top;
    } Cases[] = {
        {600, 400, 335, 488, 340}, {113, 66, 1, 1, 6}, {112, 65, 0, 0, 5},
        {50, 30, 0, 0, -30},       {0, 0, 0, 0, -60},
    };
    for (const auto& K : Cases) {
        SCOPED_TRACE(std::to_string(K.W) + " x " + std::to_string(K.H));
        Fake_Dialog_Factory Factory;
        EditSel Dialog(Factory.Create_Edit_Sel());
        Factory.Edit_Sel->Resize(K.W, K.H);
        const auto& V = *Factory.Edit_Sel;
        EXPECT_EQ(V.Bounds(C::Editing), (Rect{0, 0, K.W, K.Edit_Height}));
        EXPECT_EQ(V.Bounds(C::Tip).Width(), K.Tip_Width);
        EXPECT_EQ(V.Bounds(C::TipBack), (Rect{0, K.Back_Top, K.W, K.Back_Top + 25}));
        EXPECT_EQ(V.Bounds(C::CancelButton), (Rect{K.W - 70, K.H - 30, K.W - 5, K.H - 5}));
        EXPECT_EQ(V.Bounds(C::OKButton).Right, K.W - 75);
    }
}

} // namespace
