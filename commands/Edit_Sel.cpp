#include "commands/Edit_Sel.h"

#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Command_Context.h"
#include "platform/Platform_Context.h"

using C = Edit_Sel_Control;

namespace {

// b on a tie: called with b = 0 so that no size becomes negative.
int Max(int a, int b) {
    return a > b ? a : b;
}

} // namespace

EditSel::EditSel(std::unique_ptr<Edit_Sel_View> V) : View(std::move(V)) {
    View->Set_Events(this);
    Form_Resize();
}

EditSel::~EditSel() {
    View->Set_Events(nullptr);
}

void EditSel::OKButton_Click() {
    Accepted = true;
    View->Hide();
}

void EditSel::CancelButton_Click() {
    Accepted = false;
    View->Hide();
}

namespace {

Rect At(int Left, int Top, int Width, int Height) {
    return Rect{Left, Top, Left + Width, Top + Height};
}

} // namespace

void EditSel::Form_Resize() {
    const int W = View->Inner_Width(), H = View->Inner_Height();
    const Rect OK = View->Bounds(C::OKButton), Cancel = View->Bounds(C::CancelButton);
    const Rect Back = View->Bounds(C::TipBack), Edit = View->Bounds(C::Editing);

    View->Set_Bounds(C::Editing,
                     At(Edit.Left, Edit.Top, W, Max(H - OK.Height() - Back.Height() - 15, 0)));
    // The panel's top may go negative on a tiny dialog; only sizes are kept from going so.
    View->Set_Bounds(C::TipBack,
                     At(Back.Left, H - Back.Height() - OK.Height() - 10, W, Back.Height()));
    const int Button_Top = H - OK.Height() - 5;
    const int Cancel_Left = W - Cancel.Width() - 5;
    View->Set_Bounds(C::CancelButton, At(Cancel_Left, Button_Top, Cancel.Width(), Cancel.Height()));
    View->Set_Bounds(C::OKButton,
                     At(Cancel_Left - OK.Width() - 5, Button_Top, OK.Width(), OK.Height()));
}

void EditSel::TipBack_Resize() {
    const Rect Tip = View->Bounds(C::Tip);
    const int Width = Max(View->Bounds(C::TipBack).Width() - Tip.Left, 0);
    View->Set_Bounds(C::Tip, Rect{Tip.Left, Tip.Top, Tip.Left + Width, Tip.Bottom});
}

void mnuEdit_Click(Command_Context& Ctx, std::unique_ptr<EditSel>& Dialog) {
    if (!Ctx.Store.Has_Selection()) return;
    // Held until the edit is stored: a capture while the dialog is open is filed afterwards,
    // so the edit lands on the slot the user opened.
    Nested_Loop Loop(Ctx.Gate);
    if (!Dialog) Dialog = std::make_unique<EditSel>(Ctx.P.Dialogs.Create_Edit_Sel());
    Edit_Sel_View& V = *Dialog->View;
    V.Set_Text(C::Editing, Ctx.Store.Selected().Text);
    V.Set_Text(C::Tip, Ctx.Store.Selected().Description);
    V.Show_Modal();
    if (!Dialog->Accepted || !Ctx.Store.Has_Selection() || Ctx.Host.Ui().Exiting) return;

    const int16_t Slot = Ctx.Store.Current();
    std::string Text = V.Text(C::Editing);
    const bool Text_Changed = Text != Ctx.Store.Selected().Text;
    Ctx.Store.Edit(Slot, std::move(Text), V.Text(C::Tip));
    if (Text_Changed) Ctx.Host.Select_Item(Slot);
}
