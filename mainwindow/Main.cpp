#include "mainwindow/Main.h"

#include "mainwindow/Tell_User.h"
#include "platform/Platform_Context.h"

Main::Main(Platform_Context& Platform, Command_Set& Kept, const Command_Hooks& Hooks)
    : P(Platform),
      Hooks_(Hooks), Where_{Platform.Files, Platform.Text,
                            Data_File_Path(Platform.Process.Folder(), Platform.Process.Title()),
                            Platform.Log},
      Help_File_(Path_In_Folder(Platform.Process.Folder(), "PimLoft.hlp")),
      View_(Platform.Window, Platform.Colors),
      Saves_(Store_, Where_, Platform.Window, Platform.Worker,
             [this](const std::string& Text) { Tell_User(Text); }),
      Readers_(Platform.Window, Store_, View_),
      History_(Store_,
               Path_In_Folder(Platform.Process.Folder(), Platform.Process.Title() + ".history"),
               {Platform.Files, Platform.Crypto, Platform.Worker, Platform.Window, Platform.Log,
                [this](const std::string& Text) { Tell_User(Text); },
                [this] { Saves_.Save_Or_Retry(Save_Delay_Ms, Save_Kind::Whole); }}),
      Gate_(Platform.Clip, Store_, Platform.Window, Platform.Text, Platform.Log),
      Reader_(
          Store_, View_, [this](int Row) { return Row_Default_Action(Row); }, Platform.Log),
      Context_{Platform, Store_, Gate_, History_, Kept, *this} {
    if (Hooks_.Install) Hooks_.Install(Context_);
    Gate_.When_Closed([this] {
        if (std::exchange(Expiry_Waits_, false)) Expire_Old();
    });
}

Main::~Main() = default;

void Main::Redraw(const Change& What) {
    switch (What.Kind) {
    case Change_Kind::Added:
    case Change_Kind::Deleted:
        return Form_Resize();
    // A load is drawn by start-up once the window is placed.
    case Change_Kind::Settings:
    case Change_Kind::Seen:
    case Change_Kind::Placed:
    case Change_Kind::Loaded:
        return;
    default:
        return Refresh_Pics();
    }
}

void Main::Refresh_Pics() {
    View_.Paint(Store_.List(), Store_.Current());
}

void Main::Form_Resize() {
    View_.Fit(Store_.List(), Store_.Current());
}

bool Main::Select_Item(int16_t Pos) {
    // Only a slot of the list can be selected; anything else would leave Current_Slot dangling.
    if (Pos == Nil_Slot || !Is_Node_Index(Pos)) return false;
    Store_.Select(Pos);
    // A failed write leaves the clipboard as it was; the selection and the picture still change.
    return Gate_.Write_Own(Store_.Slot(Pos).Text);
}

void Main::Set_Tip_Text(const std::string& Text) {
    View_.Set_Tip_Text(Text);
}

void Main::Tell_User(const std::string& Text) {
    ::Tell_User(P, Gate_, Text);
}

Ui_State Main::Ui() const {
    return {P.Window.Visible(), Gate_.In_Loop(),      Tray_Busy_,
            Exiting_,           Store_.Util().On_Top, Store_.Util().Capture_Paused};
}

void Main::Pointer(const Pointer_Event& E) {
    const bool Tip = E.Where == Pointer_Area::Tip;
    switch (E.What) {
    case Pointer_Action::Down:
        return Tip ? Tip_MouseDown(E.Button, E.Modifiers) : Form_MouseDown(E.Y);
    case Pointer_Action::Up:
        return Tip ? Tip_MouseUp(E.Button) : Form_MouseUp(E.Button, E.X, E.Y);
    case Pointer_Action::Move:
        // Tip's moves only matter to a drag.
        return Tip ? View_.Continue_Drag(E.Y) : Form_MouseMove(E.Y);
    case Pointer_Action::Double_Click:
        return Form_DblClick();
    }
}

// The pointer capture went elsewhere (Alt+Tab, the Windows key, a locked screen): a drag in
// progress ends where it is, and nothing moves.
void Main::Capture_Lost() {
    if (View_.Dragging()) View_.End_Drag();
}

void Main::Key_Down(Key K, int Modifiers) {
    Form_KeyDown(K, Modifiers);
}

void Main::Tray(Tray_Event What, Menu_Place Place) {
    Tray_Dispatch(What, Place);
}

void Main::Timer(Timer_Id Id) {
    switch (Id) {
    case Timer_Id::Save:
        return Saves_.Timer_Due();
    case Timer_Id::Clip_Retry:
        return Gate_.Retry_Due();
    case Timer_Id::History_Rewrite:
        return History_.Rewrite_Due();
    case Timer_Id::Expiry:
        P.Window.Start_Timer(Timer_Id::Expiry, Expiry_Every_Ms);
        return Expire_Old();
    }
}

void Main::Clipboard_Changed() {
    Gate_.Clipboard_Changed();
}

void Main::Worker_Done(Work_Lane Lane) {
    P.Worker.Deliver(Lane);
}

void Main::Hotkey() {
    if (Hooks_.Hotkey) Hooks_.Hotkey(Context_);
}

void Main::Resized() {
    Form_Resize();
}

void Main::Dpi_Changed() {
    View_.Change_Dpi(Store_.List(), Store_.Current());
}

void Main::Colors_Changed() {
    P.Window.Clear_Back_Buffer();
    P.Window.Present();
    View_.Draw_Pictures();
    Refresh_Pics();
}
