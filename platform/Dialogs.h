#pragma once
#include "platform/Fonts.h"
#include "platform/Geometry.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The dialog windows as the logic drives them. Each view owns its window and controls and
// forwards their events to the handlers set on it; Show_Modal runs a nested loop until Hide.
// Closing a dialog through its frame reaches the logic as its Cancel.

// Edit Selection
enum class Edit_Sel_Control { Editing, OKButton, CancelButton, TipBack, Label1, Tip };

struct Edit_Sel_Events {
    virtual ~Edit_Sel_Events() = default;
    virtual void OKButton_Click() = 0;
    virtual void CancelButton_Click() = 0;
    virtual void Form_Resize() = 0;
    virtual void TipBack_Resize() = 0;
};

struct Edit_Sel_View {
    virtual ~Edit_Sel_View() = default;
    virtual void Set_Events(Edit_Sel_Events* Events) = 0;
    virtual void Set_Text(Edit_Sel_Control Control, std::string_view Utf8) = 0;
    virtual std::string Text(Edit_Sel_Control Control) const = 0;
    // Bounds in pixels, relative to the control's container (Tip and Label1 sit in TipBack).
    virtual Rect Bounds(Edit_Sel_Control Control) const = 0;
    // Moving TipBack to another width raises TipBack_Resize.
    virtual void Set_Bounds(Edit_Sel_Control Control, const Rect& R) = 0;
    virtual int Inner_Width() const = 0;
    virtual int Inner_Height() const = 0;
    virtual void Show_Modal() = 0;
    virtual void Hide() = 0;
};

// Options. Quick Paste's group: the frame, the check boxes, the hotkey (its Value: the virtual
// key, our modifier bits << 8) and the line that tells when another program holds it. The
// history's group: the number of texts kept, an edit of digits between its two labels (its
// Caption), and the button that clears the history; the days after which copies are forgotten,
// another edit of digits (empty: never); the programs whose copies are never kept, a list
// (its Value: the selected line, -1 for none) with an edit for a name and its buttons.
enum class Options_Control {
    Frame2, cDelWarn, cCase, Frame1, Label1, News0, News1, News2, Frame3, cToolTip, DescLabel,
    ToolLabel, ToolButton, Labels, FontLabel, FontButton,
    Frame4, cQuickPaste, hkQuickPaste, lblTaken, cStartup,
    Frame5, lblKeep, txtKeep, lblKeepTexts, ClearHistory, lblExpire, txtExpire, lblExpireDays,
    lblExcluded, lstExcluded, txtProgram, AddProgram, RemoveProgram, AddLastProgram,
    OKButton, CancelButton
};

struct Options_Events {
    virtual ~Options_Events() = default;
    virtual void OKButton_Click() = 0;
    virtual void CancelButton_Click() = 0;
    virtual void cToolTip_Click() = 0;
    virtual void FontButton_Click() = 0;
    virtual void ToolButton_Click() = 0;
    virtual void hkQuickPaste_Change() = 0;
    virtual void ClearHistory_Click() = 0;
    virtual void AddProgram_Click() = 0;
    virtual void RemoveProgram_Click() = 0;
    virtual void AddLastProgram_Click() = 0;
};

struct Options_View {
    virtual ~Options_View() = default;
    virtual void Set_Events(Options_Events* Events) = 0;
    // Check boxes: 0 or 1; option buttons: 1 when on (setting one on turns the others off).
    // A list: the selected line, -1 for none.
    virtual void Set_Value(Options_Control Control, int Value) = 0;
    virtual int Value(Options_Control Control) const = 0;
    virtual void Set_Enabled(Options_Control Control, bool Enabled) = 0;
    virtual bool Enabled(Options_Control Control) const = 0;
    virtual void Set_Caption(Options_Control Control, std::string_view Utf8) = 0;
    virtual std::string Caption(Options_Control Control) const = 0;
    // A label's own font; Label_Font reads back the font the label really got.
    virtual void Set_Label_Font(Options_Control Label, const Font_Spec& Font) = 0;
    virtual Font_Spec Label_Font(Options_Control Label) const = 0;
    // A list's lines, top down; setting them leaves none selected.
    virtual void Set_Lines(Options_Control List, const std::vector<std::string>& Lines) = 0;
    virtual std::vector<std::string> Lines(Options_Control List) const = 0;
    virtual void Show_Modal() = 0;
    virtual void Hide() = 0;
};

// About box: created afresh for every showing and destroyed by OK (Enter or Esc).
enum class About_Control { Caption, lblTitle, lblVersion, lblDescription, lblDisclaimer };

struct About_Events {
    virtual ~About_Events() = default;
    virtual void cmdSysInfo_Click() = 0;
};

struct About_View {
    virtual ~About_View() = default;
    virtual void Set_Events(About_Events* Events) = 0;
    virtual void Set_Text(About_Control Control, std::string_view Utf8) = 0;
    virtual void Show_Modal() = 0;
};

struct Dialog_Factory {
    virtual ~Dialog_Factory() = default;
    virtual std::unique_ptr<Edit_Sel_View> Create_Edit_Sel() = 0;
    virtual std::unique_ptr<Options_View> Create_Options() = 0;
    virtual std::unique_ptr<About_View> Create_About() = 0;
};
