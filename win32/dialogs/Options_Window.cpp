#include "win32/dialogs/Options_Window.h"

#include "win32/Win32_Dpi.h"
#include "win32/Win32_Fonts.h"
#include "win32/Win32_Quick_Paste.h"
#include "win32/Win32_Text.h"

#include <commctrl.h>

#include <utility>

namespace {

using O = Options_Control;

struct Design {
    O Control;
    const wchar_t* Class;
    const wchar_t* Caption;
    DWORD Style;
    int Left, Top, Width, Height; // within the frame named by Inside
    O Inside;                     // CancelButton stands for the dialog itself
};

constexpr DWORD Group = WS_GROUP;
constexpr DWORD Stop = WS_TABSTOP;

// In tab order, which is also creation order. Places are relative to the containing frame.
constexpr Design Designs[] = {
    {O::CancelButton, L"BUTTON", L"&Cancel", Group | Stop | BS_PUSHBUTTON, 432, 538, 65, 25,
     O::CancelButton},
    {O::OKButton, L"BUTTON", L"&Ok", Group | Stop | BS_DEFPUSHBUTTON, 360, 538, 65, 25,
     O::CancelButton},
    {O::Frame1, L"BUTTON", L"New Clipboard Elements", Group | BS_GROUPBOX, 8, 80, 241, 145,
     O::CancelButton},
    {O::News0, L"BUTTON", L"Add to Top of List", Group | Stop | BS_AUTORADIOBUTTON, 16, 72, 113, 17,
     O::Frame1},
    {O::News1, L"BUTTON", L"Add to Bottom of List", BS_AUTORADIOBUTTON, 16, 96, 121, 17, O::Frame1},
    {O::News2, L"BUTTON", L"Add to Next Available (Unlocked) Slot", BS_AUTORADIOBUTTON, 16, 120,
     209, 17, O::Frame1},
    {O::Label1, L"STATIC",
     L"When a new text element is introduced to the clipboard, PimLoft will first check for "
     L"blank slots. If there is no blank slots, then add the new clipboard element following "
     L"the rule:",
     Group | SS_LEFT, 8, 16, 225, 56, O::Frame1}, // clear of News0 below
    {O::Frame2, L"BUTTON", L"Program Options", Group | BS_GROUPBOX, 8, 8, 241, 65, O::CancelButton},
    {O::cDelWarn, L"BUTTON", L"Warn before deleting or clearing locked slot",
     Group | Stop | BS_AUTOCHECKBOX, 8, 16, 231, 17,
     O::Frame2}, // its caption needs the frame's width
    {O::cCase, L"BUTTON", L"Ignore Case", Group | Stop | BS_AUTOCHECKBOX, 8, 40, 81, 17, O::Frame2},
    {O::Frame3, L"BUTTON", L"Printing Options", Group | BS_GROUPBOX, 256, 8, 241, 217,
     O::CancelButton},
    {O::FontButton, L"BUTTON", L"Change", Group | Stop | BS_PUSHBUTTON, 176, 160, 57, 25,
     O::Frame3},
    {O::FontLabel, L"STATIC", L"", Group | SS_LEFT | SS_NOPREFIX, 8, 160, 161, 41, O::Frame3},
    {O::ToolButton, L"BUTTON", L"Change", Group | Stop | BS_PUSHBUTTON, 176, 72, 57, 25, O::Frame3},
    {O::ToolLabel, L"STATIC", L"", Group | SS_LEFT | SS_NOPREFIX, 8, 72, 161, 41, O::Frame3},
    {O::cToolTip, L"BUTTON", L"Print Tool Tip Description", Group | Stop | BS_AUTOCHECKBOX, 8, 24,
     145, 17, O::Frame3},
    {O::Labels, L"STATIC", L"Text Element Font (For Printing)", Group | SS_LEFT, 8, 136, 161, 17,
     O::Frame3},
    {O::DescLabel, L"STATIC", L"Tool Tip Description Font", Group | SS_LEFT, 8, 48, 161, 17,
     O::Frame3},
    // Below the older frames, which keep their places.
    {O::Frame4, L"BUTTON", L"Quick Paste", Group | BS_GROUPBOX, 8, 232, 489, 100, O::CancelButton},
    {O::cQuickPaste, L"BUTTON", L"Use the Quick Paste &hotkey", Group | Stop | BS_AUTOCHECKBOX, 8,
     22, 161, 17, O::Frame4},
    {O::hkQuickPaste, HOTKEY_CLASSW, L"", Group | Stop | WS_BORDER, 176, 20, 145, 21, O::Frame4},
    {O::lblTaken, L"STATIC", L"", Group | SS_LEFT | SS_NOPREFIX, 8, 48, 473, 17, O::Frame4},
    {O::cStartup, L"BUTTON", L"&Start PimLoft when I log on", Group | Stop | BS_AUTOCHECKBOX, 8, 72,
     201, 17, O::Frame4},
    // Rows of settings on the left, their edits in one column, the buttons on the right; the
    // list of programs beside its name's edit and buttons.
    {O::Frame5, L"BUTTON", L"History and privacy", Group | BS_GROUPBOX, 8, 340, 489, 190,
     O::CancelButton},
    {O::lblKeep, L"STATIC", L"&Keep up to", Group | SS_LEFT, 8, 24, 105, 17, O::Frame5},
    {O::txtKeep, L"EDIT", L"", Group | Stop | WS_BORDER | ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL,
     116, 20, 65, 21, O::Frame5},
    {O::lblKeepTexts, L"STATIC", L"texts in the history", Group | SS_LEFT, 188, 24, 161, 17,
     O::Frame5},
    {O::ClearHistory, L"BUTTON", L"C&lear History...", Group | Stop | BS_PUSHBUTTON, 376, 18, 105,
     25, O::Frame5},
    {O::lblExpire, L"STATIC", L"&Forget copies after", Group | SS_LEFT, 8, 52, 105, 17, O::Frame5},
    {O::txtExpire, L"EDIT", L"", Group | Stop | WS_BORDER | ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL,
     116, 48, 65, 21, O::Frame5},
    {O::lblExpireDays, L"STATIC", L"days", Group | SS_LEFT, 188, 52, 41, 17, O::Frame5},
    {O::lblExcluded, L"STATIC", L"&Programs whose copies are never kept:", Group | SS_LEFT, 8, 80,
     361, 17, O::Frame5},
    {O::lstExcluded, L"LISTBOX", L"", Group | Stop | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
     8, 98, 249, 82, O::Frame5},
    {O::txtProgram, L"EDIT", L"", Group | Stop | WS_BORDER | ES_AUTOHSCROLL, 264, 98, 217, 21,
     O::Frame5},
    {O::AddProgram, L"BUTTON", L"&Add", Group | Stop | BS_PUSHBUTTON, 264, 125, 105, 25, O::Frame5},
    {O::RemoveProgram, L"BUTTON", L"&Remove", Group | Stop | BS_PUSHBUTTON, 376, 125, 105, 25,
     O::Frame5},
    {O::AddLastProgram, L"BUTTON", L"Add the program of the las&t copy",
     Group | Stop | BS_PUSHBUTTON, 264, 156, 217, 25, O::Frame5},
};

POINT Origin(O Inside) {
    for (const Design& D : Designs)
        if (D.Control == Inside && D.Inside == O::CancelButton && D.Control != O::CancelButton)
            return POINT{D.Left, D.Top};
    return POINT{0, 0};
}

int Id_Of(O C) {
    if (C == O::OKButton) return IDOK;
    if (C == O::CancelButton) return IDCANCEL;
    return 100 + static_cast<int>(C);
}

bool Is_News(O C) {
    return C == O::News0 || C == O::News1 || C == O::News2;
}

} // namespace

Options_Window::Options_Window(HINSTANCE Instance, Modal_Owner& Owner) : Modal_Window(Owner) {
    Open(Instance, {L"PimLoft_Options", L"PimLoft Options", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                    WS_EX_DLGMODALFRAME, 505, 571, false});
}

void Options_Window::Make_Controls(HWND W, HINSTANCE) {
    for (const Design& D : Designs)
        Controls_[static_cast<size_t>(D.Control)] =
            Make_Control(W, D.Class, D.Caption, D.Style, Id_Of(D.Control));
    // A hotkey needs a modifier: a bare or Shift-only key becomes Ctrl+key.
    SendMessageW(Control(O::hkQuickPaste), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                 MAKELPARAM(HOTKEYF_CONTROL, 0));
    // Seven digits hold the most the history keeps and more, which the logic then lowers.
    SendMessageW(Control(O::txtKeep), EM_LIMITTEXT, 7, 0);
    SendMessageW(Control(O::txtExpire), EM_LIMITTEXT, 5, 0);
    SendMessageW(Control(O::txtProgram), EM_LIMITTEXT, MAX_PATH, 0);
}

void Options_Window::Lay_Out(int Dpi) {
    for (const Design& D : Designs) {
        const POINT At = D.Inside == O::CancelButton ? POINT{0, 0} : Origin(D.Inside);
        SetWindowPos(Control(D.Control), nullptr, At_Dpi(At.x + D.Left, Dpi),
                     At_Dpi(At.y + D.Top, Dpi), At_Dpi(D.Width, Dpi), At_Dpi(D.Height, Dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (const O Label : {O::FontLabel, O::ToolLabel})
        if (Fonts_[static_cast<size_t>(Label)])
            Set_Label_Font(Label, Requested_[static_cast<size_t>(Label)]);
}

void Options_Window::Set_Value(O C, int Value) {
    const HWND Target = Control(C);
    if (!Target) return;
    if (C == O::hkQuickPaste) {
        const int Hotkeyf = Hotkeyf_From_Modifiers(Value >> 8);
        SendMessageW(Target, HKM_SETHOTKEY, MAKEWORD(Value & 0xFF, Hotkeyf), 0);
        return;
    }
    if (C == O::lstExcluded) {
        SendMessageW(Target, LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
        return;
    }
    if (Is_News(C) && Value != 0)
        for (const O Other : {O::News0, O::News1, O::News2})
            if (Other != C && Control(Other))
                SendMessageW(Control(Other), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(Target, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
}

int Options_Window::Value(O C) const {
    const HWND Target = Control(C);
    if (Target && C == O::hkQuickPaste) {
        // The control's modifier bits are HOTKEYF_, not ours nor RegisterHotKey's.
        const auto Got = static_cast<WORD>(SendMessageW(Target, HKM_GETHOTKEY, 0, 0));
        return LOBYTE(Got) | Modifiers_From_Hotkeyf(HIBYTE(Got)) << 8;
    }
    if (Target && C == O::lstExcluded)
        return static_cast<int>(SendMessageW(Target, LB_GETCURSEL, 0, 0)); // LB_ERR: none
    return Target && SendMessageW(Target, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Options_Window::Set_Enabled(O C, bool On) {
    if (const HWND Target = Control(C)) EnableWindow(Target, On ? TRUE : FALSE);
}

bool Options_Window::Enabled(O C) const {
    const HWND Target = Control(C);
    return Target && IsWindowEnabled(Target);
}

void Options_Window::Set_Caption(O C, std::string_view Utf8) {
    if (const HWND Target = Control(C)) Set_Text_Utf8(Target, Utf8);
}

std::string Options_Window::Caption(O C) const {
    const HWND Target = Control(C);
    return Target ? To_Utf8(Window_Text(Target)) : std::string();
}

void Options_Window::Set_Label_Font(O Label, const Font_Spec& Font) {
    const size_t I = static_cast<size_t>(Label);
    const LOGFONTW Log = To_Log_Font(Font, Dpi());
    Unique_Gdi Made(CreateFontIndirectW(&Log));
    if (!Made) return;
    if (const HWND Target = Control(Label))
        SendMessageW(Target, WM_SETFONT, reinterpret_cast<WPARAM>(Made.Get()), TRUE);
    Fonts_[I] = std::move(Made); // the font it replaces is no longer in use
    Requested_[I] = Font;
}

Font_Spec Options_Window::Label_Font(O Label) const {
    const size_t I = static_cast<size_t>(Label);
    if (!Fonts_[I]) return Requested_[I];
    return Font_In_Use(static_cast<HFONT>(Fonts_[I].Get()), Requested_[I], Dpi());
}

void Options_Window::Set_Lines(O List, const std::vector<std::string>& Lines) {
    const HWND Target = Control(List);
    if (!Target) return;
    SendMessageW(Target, LB_RESETCONTENT, 0, 0);
    for (const std::string& Line : Lines)
        SendMessageW(Target, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(To_Wide(Line).c_str()));
}

std::vector<std::string> Options_Window::Lines(O List) const {
    std::vector<std::string> Got;
    const HWND Target = Control(List);
    const LRESULT Lines_Held = Target ? SendMessageW(Target, LB_GETCOUNT, 0, 0) : 0;
    for (WPARAM I = 0; static_cast<LRESULT>(I) < Lines_Held; ++I) {
        std::wstring Line(static_cast<size_t>(SendMessageW(Target, LB_GETTEXTLEN, I, 0)) + 1,
                          L'\0');
        Line.resize(static_cast<size_t>(
            SendMessageW(Target, LB_GETTEXT, I, reinterpret_cast<LPARAM>(Line.data()))));
        Got.push_back(To_Utf8(Line));
    }
    return Got;
}

HWND Options_Window::First_Show() {
    return Control(O::CancelButton);
}

void Options_Window::Clicked(int Id) {
    if (!Events_) return;
    if (Id == IDOK) return Events_->OKButton_Click();
    using E = Options_Events;
    static constexpr std::pair<O, void (E::*)()> Handlers[] = {
        {O::cToolTip, &E::cToolTip_Click},
        {O::FontButton, &E::FontButton_Click},
        {O::ToolButton, &E::ToolButton_Click},
        {O::ClearHistory, &E::ClearHistory_Click},
        {O::AddProgram, &E::AddProgram_Click},
        {O::RemoveProgram, &E::RemoveProgram_Click},
        {O::AddLastProgram, &E::AddLastProgram_Click}};
    for (const auto& [Control, Handler] : Handlers)
        if (Id == Id_Of(Control)) return (Events_->*Handler)();
}

LRESULT Options_Window::Other_Message(HWND W, UINT Msg, WPARAM Wp, LPARAM Lp) {
    if (Msg == WM_COMMAND && LOWORD(Wp) == Id_Of(O::hkQuickPaste) && HIWORD(Wp) == EN_CHANGE) {
        if (Events_) Events_->hkQuickPaste_Change();
        return 0;
    }
    return DefWindowProcW(W, Msg, Wp, Lp);
}

void Options_Window::Cancelled() {
    if (Events_) Events_->CancelButton_Click();
}
