#pragma once
#include "platform/Dialogs.h"
#include "win32/Unique_Handle.h"
#include "win32/dialogs/Modal_Window.h"

#include <array>
#include <utility>

// The fixed-size PimLoft Options window. The two font labels show a printing font in
// itself; the font each label got is the working copy the dialog hands back.
class Options_Window final : public Options_View, public Modal_Window {
  public:
    Options_Window(HINSTANCE Instance, Modal_Owner& Owner);
    ~Options_Window() override { Close(); } // the labels let go of their fonts first

    void Set_Events(Options_Events* Events) override { Events_ = Events; }
    void Set_Value(Options_Control Control, int Value) override;
    int Value(Options_Control Control) const override;
    void Set_Enabled(Options_Control Control, bool Enabled) override;
    bool Enabled(Options_Control Control) const override;
    void Set_Caption(Options_Control Control, std::string_view Utf8) override;
    std::string Caption(Options_Control Control) const override;
    void Set_Label_Font(Options_Control Label, const Font_Spec& Font) override;
    Font_Spec Label_Font(Options_Control Label) const override;
    void Set_Lines(Options_Control List, const std::vector<std::string>& Lines) override;
    std::vector<std::string> Lines(Options_Control List) const override;
    void Show_Modal() override { Run_Modal(); }
    void Hide() override { End_Modal(); }

  private:
    void Make_Controls(HWND Window, HINSTANCE Instance) override;
    // The printing fonts keep their points.
    void Lay_Out(int Dpi) override;
    HWND First_Show() override;
    void Clicked(int Id) override;
    void Cancelled() override;
    LRESULT Other_Message(HWND Window, UINT Message, WPARAM W, LPARAM L) override;
    static constexpr size_t Count = static_cast<size_t>(Options_Control::CancelButton) + 1;
    HWND Control(Options_Control C) const { return Controls_[static_cast<size_t>(C)]; }

    Options_Events* Events_ = nullptr;
    std::array<Unique_Gdi, Count> Fonts_;
    std::array<Font_Spec, Count> Requested_;
    std::array<HWND, Count> Controls_{};
};
