#include "commands/Options.h"

#include "commands/Command_Table.h"
#include "commands/Paste_Lines.h"
#include "commands/Quick_Paste.h"
#include "commands/Start_At_Logon.h"
#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Command_Context.h"
#include "platform/Platform_Context.h"
#include "storage/Program_Names.h"

#include <algorithm>
#include <charconv>

namespace {

// The hotkey control's value: the key in the low byte, the modifiers above it.
Hotkey Hotkey_Of(int Value) {
    return {static_cast<uint8_t>(Value & 0xFF), static_cast<uint8_t>(Value >> 8)};
}

// A number as typed, at most Max; Otherwise when it is no number (the edits take only digits
// as typed, but a paste can bring anything).
uint32_t Number_Typed(std::string_view Typed, uint32_t Max, uint32_t Otherwise) {
    if (Typed.empty() || Typed.find_first_not_of("0123456789") != std::string_view::npos)
        return Otherwise;
    uint64_t N = 0;
    for (char D : Typed)
        N = std::min<uint64_t>(N * 10 + static_cast<uint64_t>(D - '0'), Max);
    return static_cast<uint32_t>(N);
}

uint32_t Keep_Typed(std::string_view Typed, uint32_t Otherwise) {
    return Number_Typed(Typed, Max_History_Keep, Otherwise);
}

} // namespace

using C = Options_Control;

std::string Font_Caption(const Font_Spec& Font) {
    char Size[32];
    // Shortest form that reads back as the same float: 10, 10.5, never 10.500000.
    const auto End = std::to_chars(Size, Size + sizeof Size, Font.Size).ptr;
    return Font.Name + " (" + std::string(Size, End) + ")";
}

Options_Dialog::Options_Dialog(std::unique_ptr<Options_View> V, Font_Chooser& F,
                               Quick_Paste_Desk& D, Message_Box& B, Command_Host& H,
                               const Capture_Gate& G)
    : View(std::move(V)), Fonts(F), Desk(D), Box(B), Host(H), Gate(G) {
    View->Set_Events(this);
}

Options_Dialog::~Options_Dialog() {
    View->Set_Events(nullptr);
}

void Options_Dialog::OKButton_Click() {
    // Asked while the dialog is still up, over it; No keeps the history as it is.
    if (Shown_Keep != 0 && Keep_Typed(View->Caption(C::txtKeep), Shown_Keep) == 0 &&
        !Box.Yes_No("Turn the history off? Every text in it is removed now; the slots stay as "
                    "they are.",
                    "Turn the History Off"))
        View->Set_Caption(C::txtKeep, std::to_string(Shown_Keep));
    // Enter in the name's edit is OK too: the name typed was meant to be kept out.
    AddProgram_Click();
    Accepted = true;
    View->Hide();
}

// Done at once: a Cancel of the dialog afterwards cannot bring the texts back.
void Options_Dialog::ClearHistory_Click() {
    if (Box.Yes_No("Clear the history? Every text in it is forgotten now; the 71 slots stay as "
                   "they are.",
                   "Clear History"))
        Host.Clear_History();
}

void Options_Dialog::Add_Program(std::string_view Path_Or_Name) {
    const std::string Name = Program_Name(Path_Or_Name);
    if (Name.empty()) return;
    std::vector<std::string> Names = View->Lines(C::lstExcluded);
    const auto Found =
        std::ranges::find_if(Names, [&](const std::string& N) { return Same_Program(N, Name); });
    const int At = static_cast<int>(Found - Names.begin());
    if (Found == Names.end()) {
        Names.push_back(Name);
        View->Set_Lines(C::lstExcluded, Names);
    }
    View->Set_Value(C::lstExcluded, At);
}

void Options_Dialog::AddProgram_Click() {
    Add_Program(View->Caption(C::txtProgram));
    View->Set_Caption(C::txtProgram, "");
}

void Options_Dialog::AddLastProgram_Click() {
    Add_Program(Gate.Last_Program());
}

void Options_Dialog::RemoveProgram_Click() {
    std::vector<std::string> Names = View->Lines(C::lstExcluded);
    const int At = View->Value(C::lstExcluded);
    if (At < 0 || static_cast<size_t>(At) >= Names.size()) return;
    Names.erase(Names.begin() + At);
    View->Set_Lines(C::lstExcluded, Names);
    // The line that moved into its place, or the last: ready for another Remove.
    View->Set_Value(C::lstExcluded, std::min(At, static_cast<int>(Names.size()) - 1));
}

void Options_Dialog::CancelButton_Click() {
    Accepted = false;
    View->Hide();
}

void Options_Dialog::Apply_Enabling_Rule() {
    const bool On = View->Value(C::cToolTip) == 1;
    for (C Control : {C::ToolLabel, C::ToolButton, C::DescLabel})
        View->Set_Enabled(Control, On);
}

void Options_Dialog::cToolTip_Click() {
    Apply_Enabling_Rule();
}

void Options_Dialog::Set_Font_Label(Options_Control Label, const Font_Spec& Font) {
    View->Set_Label_Font(Label, Font);
    View->Set_Caption(Label, Font_Caption(View->Label_Font(Label)));
}

void Options_Dialog::Show_Taken() {
    const Hotkey Key = Hotkey_Of(View->Value(C::hkQuickPaste));
    const bool Taken = Key.Key != 0 && Desk.Hotkey_Taken(Key.Key, Key.Modifiers);
    View->Set_Caption(C::lblTaken, Taken ? "Another program holds " +
                                               Hotkey_Name(Key, Desk.Key_Name(Key.Key)) + "."
                                         : "");
}

void Options_Dialog::hkQuickPaste_Change() {
    Show_Taken();
}

namespace {

void Change_Font(Options_Dialog& D, Options_Control Label) {
    Font_Spec Font = D.View->Label_Font(Label);
    // A cancel leaves the label as it was.
    if (D.Fonts.Choose_Font(Font)) D.Set_Font_Label(Label, Font);
}

void Fill(Options_Dialog& D, const Settings& U) {
    Options_View& V = *D.View;
    V.Set_Value(U.Add_Mode == Pos_Top      ? C::News0
                : U.Add_Mode == Pos_Bottom ? C::News1
                                           : C::News2,
                1);
    V.Set_Value(C::cDelWarn, U.Del_Warn ? 1 : 0);
    // Capture ignores case only for 1, so any other stored value shows as unchecked.
    V.Set_Value(C::cCase, U.Ignore_Case == 1 ? 1 : 0);
    D.Set_Font_Label(C::FontLabel, U.Text_Font);
    V.Set_Value(C::cToolTip, U.Print_Tip ? 1 : 0);
    D.Apply_Enabling_Rule();
    D.Set_Font_Label(C::ToolLabel, U.Tip_Font);
    V.Set_Value(C::cQuickPaste, U.Quick_Paste_On ? 1 : 0);
    V.Set_Value(C::hkQuickPaste, U.Quick_Paste_Key.Key | U.Quick_Paste_Key.Modifiers << 8);
    D.Show_Taken();
    D.Shown_Keep = U.History_Keep;
    V.Set_Caption(C::txtKeep, std::to_string(U.History_Keep));
    V.Set_Caption(C::txtExpire, U.Expire_Days ? std::to_string(U.Expire_Days) : "");
    V.Set_Lines(C::lstExcluded, U.Excluded_Programs);
    V.Set_Caption(C::txtProgram, "");
    V.Set_Enabled(C::AddLastProgram, !D.Gate.Last_Program().empty());
}

void Read_Back(const Options_View& V, Settings& U) {
    U.Add_Mode = V.Value(C::News0) ? Pos_Top : V.Value(C::News1) ? Pos_Bottom : Mode_Next_Free;
    U.Del_Warn = V.Value(C::cDelWarn) == 1;
    U.Ignore_Case = static_cast<int16_t>(V.Value(C::cCase));
    U.Text_Font = V.Label_Font(C::FontLabel);
    U.Print_Tip = V.Value(C::cToolTip) == 1;
    U.Tip_Font = V.Label_Font(C::ToolLabel);
    U.Quick_Paste_On = V.Value(C::cQuickPaste) == 1;
    U.Quick_Paste_Key = Hotkey_Of(V.Value(C::hkQuickPaste));
    No_Key_Is_Off(U); // a cleared hotkey control
    U.History_Keep = Keep_Typed(V.Caption(C::txtKeep), U.History_Keep);
    const std::string Days = V.Caption(C::txtExpire);
    U.Expire_Days = static_cast<uint16_t>(
        Days.empty() ? 0 : Number_Typed(Days, Max_Expire_Days, U.Expire_Days));
    U.Excluded_Programs = V.Lines(C::lstExcluded);
}

} // namespace

void Options_Dialog::FontButton_Click() {
    Change_Font(*this, C::FontLabel);
}
void Options_Dialog::ToolButton_Click() {
    Change_Font(*this, C::ToolLabel);
}

void mnuOptions_Click(Command_Context& Ctx, std::unique_ptr<Options_Dialog>& Dialog) {
    Nested_Loop Loop(Ctx.Gate);
    if (!Dialog)
        Dialog = std::make_unique<Options_Dialog>(Ctx.P.Dialogs.Create_Options(), Ctx.P.Fonts,
                                                  Ctx.P.Paste_Desk, Ctx.P.Box, Ctx.Host, Ctx.Gate);
    Fill(*Dialog, Ctx.Store.Util());
    // The registry, not the data file, says whether the program starts at logon.
    Dialog->View->Set_Value(C::cStartup, Starts_At_Logon(Ctx.P) ? 1 : 0);
    Dialog->View->Show_Modal();
    if (!Dialog->Accepted || Ctx.Host.Ui().Exiting) return;
    Settings U = Ctx.Store.Util();
    Read_Back(*Dialog->View, U);
    Ctx.Store.Change_Settings(U);
    const bool Start = Dialog->View->Value(C::cStartup) == 1;
    // The box reads the registry when it opens: unheard, a refusal would look like a slip.
    if (!Set_Start_At_Logon(Ctx.P, Start))
        Ctx.Host.Tell_User(std::string("Windows refused to ") +
                           (Start ? "add PimLoft to" : "remove PimLoft from") +
                           " the programs that start when you log on.");
    Ctx.Kept.Paste->Apply_Settings();
}
