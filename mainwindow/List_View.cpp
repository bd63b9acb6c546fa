#include "mainwindow/List_View.h"

#include "mainwindow/Drawing.h"
#include "mainwindow/Visible_Text.h"
#include "platform/Main_Window.h"
#include "platform/Scoped_Flag.h"
#include "platform/Surface.h"

#include <algorithm>
#include <cmath>

namespace {

int16_t Extent(const Surface& S, bool Horizontal) {
    return static_cast<int16_t>((Horizontal ? S.Width() : S.Height()) - 1);
}

} // namespace

List_View::List_View(Main_Window& Window, const System_Colors& Colors)
    : Window_(Window), Colors_(Colors) {}
List_View::~List_View() = default;

// Below the text column's left edge the panels keep a zero width.
int List_View::Panel_Width() const {
    return std::max(0, Window_.Client_Width() - Metrics_.Text_Left);
}

void List_View::Fit_Panels() {
    Tip_Width_ = Panel_Width();
    Window_.Set_Tip_Bounds(Metrics_.Text_Left, Tip_Row_ * Metrics_.Pitch, Tip_Width_,
                           Metrics_.Height);
}

void List_View::Draw_Panels() {
    const int16_t W = Extent(*Text_Norm_, true), H = Extent(*Text_Norm_, false);
    Draw_Panel(*Text_Norm_, 0, 0, W, H, Colors_.Sys_Color(System_Color::Window));
    Draw_Panel(*Text_High_, 0, 0, W, H, Colors_.Sys_Color(System_Color::Highlight));
}

void List_View::Make_Pictures() {
    Metrics_ = Metrics_At(Window_.Dpi());
    const int Face = Metrics_.Height;
    for (auto* Sprite : {&Arrow_Down_, &Arrow_Up_, &Lock_Down_, &Lock_Up_})
        *Sprite = Window_.New_Surface(Face, Face);
    Text_Norm_ = Window_.New_Surface(Panel_Width(), Face);
    Text_High_ = Window_.New_Surface(Panel_Width(), Face);
    Fit_Panels();
}

void List_View::Draw_Pictures() {
    const auto Button = [&](Surface& S, int16_t Pressed, Picture_Id Pic) {
        Draw_Button(S, Colors_, 0, 0, Extent(S, true), Extent(S, false), Pressed, Pic,
                    Metrics_.Picture);
    };
    Button(*Arrow_Down_, 1, Picture_Id::Arrow_Down);
    Button(*Arrow_Up_, 0, Picture_Id::Arrow_Up);
    Button(*Lock_Down_, 1, Picture_Id::Lock_Down);
    Button(*Lock_Up_, 0, Picture_Id::Lock_Up);
    Draw_Panels();
}

void List_View::Measure_Border() {
    Border_Height_ = static_cast<int>(std::lround(
        Window_.Height() - double(Window_.Client_Height()) * Window_.Twips_Per_Pixel_Y()));
}

void List_View::Fit(const LinkList& L, int16_t Current) {
    if (Fitting_) return; // the resize that setting the height raises
    // Reset on every way out: one failed resize must not freeze the height for good.
    Scoped_Flag Guard(Fitting_);
    if (Window_.Window_State() == Window_Normal) {
        const float Tppy = static_cast<float>(Window_.Twips_Per_Pixel_Y());
        const float Rows = static_cast<float>(std::max<int>(L.List_Ubound + 1, 1));
        const float Gap = static_cast<float>(Metrics_.Pitch - Metrics_.Height) * Tppy;
        Window_.Set_Height(float(Metrics_.Pitch) * Rows * Tppy +
                           static_cast<float>(Border_Height_) - Gap);
    }
    Text_Norm_->Resize(Panel_Width(), Metrics_.Height);
    Text_High_->Resize(Panel_Width(), Metrics_.Height);
    Fit_Panels();
    Draw_Panels();
    Paint(L, Current);
}

void List_View::Change_Dpi(const LinkList& L, int16_t Current) {
    // The frame is drawn at the new scale too; in twips it is only about the same.
    Measure_Border();
    Make_Pictures();
    Draw_Pictures();
    Fit(L, Current);
}

void List_View::Lay_Out(const LinkList& L) {
    Rows_ = std::clamp<int>(L.List_Ubound + 1, 0, Max_Slots);
    int16_t Cur = L.Head;
    for (int R = 0; R < Rows_; ++R) {
        // A link outside the nodes (a damaged file) ends the chain instead of the program.
        if (!Is_Node_Index(Cur)) Cur = Nil_Slot;
        Row_Slot_[static_cast<size_t>(R)] = Cur;
        if (Cur != Nil_Slot) Cur = L.Nodes[static_cast<size_t>(Cur)].Next;
    }
}

// Only paints: a redraw is no change of the data.
void List_View::Paint(const LinkList& L, int16_t Current) {
    Lay_Out(L);
    Surface& B = Window_.Back_Buffer();
    const List_Metrics& G = Metrics_;
    const int Left = G.Text_Left + G.Margin_X;
    const int Right = G.Text_Left + Text_Norm_->Width() - G.Margin_X;
    const int Client_Height = Window_.Client_Height();
    const int Line_Height = B.Text_Line_Height();
    for (int R = 0, Y = 0; R < Rows_; ++R, Y += G.Pitch) {
        const int16_t Slot = Row_Slot_[static_cast<size_t>(R)];
        const Slot_Record* Rec =
            Slot == Nil_Slot ? nullptr : &L.Nodes[static_cast<size_t>(Slot)].Data;
        const bool Selected = Rec && Slot == Current;

        B.Blit(Selected ? *Arrow_Down_ : *Arrow_Up_, 0, Y, G.Height, G.Height);
        const Surface& Panel = Selected ? *Text_High_ : *Text_Norm_;
        B.Blit(Panel, G.Text_Left, Y, Panel.Width(), G.Height);
        B.Blit(Rec && Rec->Locked ? *Lock_Down_ : *Lock_Up_, G.Lock_Left, Y, G.Height, G.Height);
        if (Rec && Y <= Client_Height) {
            const Color Ink = Colors_.Sys_Color(Selected ? System_Color::Highlight_Text
                                                         : System_Color::Window_Text);
            const Rect Box{Left, Y + G.Text_Top, Right, Y + G.Text_Bottom};
            // A slot may hold megabytes; only what can show goes to the text draw.
            B.Draw_Text(Visible_Text(Rec->Text, Box.Width(), Box.Height(), Line_Height), Box, Ink);
        }
    }
    Window_.Present();
}

int16_t List_View::Slot_Of_Row(int Row) const {
    return Row >= 0 && Row < Rows_ ? Row_Slot_[static_cast<size_t>(Row)] : Nil_Slot;
}

int List_View::Row_Of_Slot(int16_t Slot) const {
    if (Slot == Nil_Slot) return -1;
    const auto End = Row_Slot_.begin() + Rows_;
    const auto At = std::find(Row_Slot_.begin(), End, Slot);
    return At == End ? -1 : static_cast<int>(At - Row_Slot_.begin());
}

int List_View::Row_At(double Y) const {
    return ::Row_At(Y, Metrics_.Pitch);
}

int List_View::Row_Hit(int X, int Y) const {
    if (X < 0 || X >= Window_.Client_Width() || Y < 0) return -1;
    const int Row = Y / Metrics_.Pitch;
    if (Row >= Rows_ || Y - Row * Metrics_.Pitch >= Metrics_.Height) return -1;
    return Row;
}

Rect List_View::Row_Place(int Row) const {
    const int Top = Row * Metrics_.Pitch;
    return {0, Top, Window_.Client_Width(), Top + Metrics_.Height};
}

bool List_View::Over_Lock(double X) const {
    return X >= Metrics_.Lock_Left && X < Metrics_.Text_Left;
}

void List_View::Move_Tip(int Row) {
    Tip_Row_ = Row;
    Window_.Set_Tip_Bounds(Metrics_.Text_Left, Row * Metrics_.Pitch, Tip_Width_, Metrics_.Height);
}

void List_View::Set_Tip_Text(const std::string& Text) {
    if (Text == Tip_Text_) return;
    Tip_Text_ = Text;
    Window_.Set_Tip_Text(Text);
}

void List_View::Place_Bar(int Top) {
    Bar_Top_ = Top;
    Window_.Set_Splitter(Bar_Shown_, 0, Top, Window_.Client_Width(), Metrics_.Bar_Height);
}

void List_View::Begin_Drag(int16_t Slot) {
    Drag_From_ = Slot;
    Bar_Shown_ = true;
    Place_Bar(Tip_Row_ * Metrics_.Pitch - Metrics_.Bar_Offset);
    Dragging_ = true;
}

void List_View::Continue_Drag(double Y) {
    if (!Dragging_) return;
    const int Pitch = Metrics_.Pitch;
    const double Rounded = std::nearbyint(Y);
    if (!(Rounded > -1e9 && Rounded < 1e9)) return;
    const int Y_Abs = Tip_Row_ * Pitch + static_cast<int>(Rounded) / Tip_Twips_Per_Pixel;
    const int Row_Top = (Y_Abs / Pitch) * Pitch;
    if (Row_Top > Rows_ * Pitch || Row_Top < 0 || Row_Top == (Tip_Row_ + 1) * Pitch) return;
    Place_Bar(Row_Top - Metrics_.Bar_Offset);
}

List_View::Drop List_View::End_Drag() {
    Dragging_ = false;
    Bar_Shown_ = false;
    Place_Bar(Bar_Top_);
    return {Drag_From_, (Bar_Top_ + Metrics_.Bar_Offset) / Metrics_.Pitch - 1};
}
