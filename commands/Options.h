#pragma once
#include "platform/Dialogs.h"
#include "platform/Quick_Paste.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct Message_Box;
class Command_Host;
class Capture_Gate;

// The Options dialog: created on first use, then only hidden; refilled before every showing.
struct Options_Dialog final : Options_Events {
    Options_Dialog(std::unique_ptr<Options_View> View, Font_Chooser& Fonts, Quick_Paste_Desk& Desk,
                   Message_Box& Box, Command_Host& Host, const Capture_Gate& Gate);
    Options_Dialog(const Options_Dialog&) = delete;
    Options_Dialog& operator=(const Options_Dialog&) = delete;
    ~Options_Dialog() override;

    std::unique_ptr<Options_View> View;
    Font_Chooser& Fonts;
    Quick_Paste_Desk& Desk;
    Message_Box& Box;
    Command_Host& Host;
    const Capture_Gate& Gate;
    bool Accepted = false;
    uint32_t Shown_Keep = 0; // the history's size as the dialog was filled

    void OKButton_Click() override;
    void CancelButton_Click() override;
    void cToolTip_Click() override;
    void FontButton_Click() override;
    void ToolButton_Click() override;
    void hkQuickPaste_Change() override;
    void ClearHistory_Click() override;
    void AddProgram_Click() override;
    void RemoveProgram_Click() override;
    void AddLastProgram_Click() override;
    // Selects the program's line, added unless one names it already.
    void Add_Program(std::string_view Path_Or_Name);
    // The line beside the hotkey says whether another program holds it.
    void Show_Taken();

    void Apply_Enabling_Rule();
    // Sets a font label's font, then its caption from the font the label really got.
    void Set_Font_Label(Options_Control Label, const Font_Spec& Font);
};

// "Courier New (10)", "Arial (10.5)".
std::string Font_Caption(const Font_Spec& Font);

struct Command_Context;

void mnuOptions_Click(Command_Context& Ctx, std::unique_ptr<Options_Dialog>& Dialog);
