#pragma once
#include "platform/Dialogs.h"
#include "win32/dialogs/Modal_Window.h"

#include <array>
#include <string>

// TipBack: the panel under the editing box that holds the tool tip description. It tells the
// dialog when its width changes and passes its controls' messages up.
class Tip_Panel final : public Window_Object {
  public:
    explicit Tip_Panel(Edit_Sel_Events*& Events) : Events_(Events) {}
    ~Tip_Panel() override { Destroy(); }
    HWND Create_In(HWND Parent, HINSTANCE Instance, int Id);

  private:
    LRESULT Message(HWND Window, UINT Message, WPARAM W, LPARAM L) override;
    Edit_Sel_Events*& Events_;
    int Width_ = 0;
};

// The resizable Edit Selection window. Created once and then only hidden, so its size and
// place carry over from one use to the next.
class Edit_Sel_Window final : public Edit_Sel_View, public Modal_Window {
  public:
    Edit_Sel_Window(HINSTANCE Instance, Modal_Owner& Owner);
    ~Edit_Sel_Window() override { Close(); }

    void Set_Events(Edit_Sel_Events* Events) override { Events_ = Events; }
    void Set_Text(Edit_Sel_Control Control, std::string_view Utf8) override;
    std::string Text(Edit_Sel_Control Control) const override;
    Rect Bounds(Edit_Sel_Control Control) const override;
    void Set_Bounds(Edit_Sel_Control Control, const Rect& R) override;
    int Inner_Width() const override;
    int Inner_Height() const override;
    void Show_Modal() override { Run_Modal(); }
    void Hide() override { End_Modal(); }

  private:
    void Make_Controls(HWND Window, HINSTANCE Instance) override;
    void Lay_Out(int Dpi) override;
    HWND First_Show() override;
    void Clicked(int Id) override;
    void Cancelled() override;
    LRESULT Other_Message(HWND Window, UINT Message, WPARAM W, LPARAM L) override;
    HWND Control(Edit_Sel_Control C) const { return Controls_[static_cast<size_t>(C)]; }

    Edit_Sel_Events* Events_ = nullptr;
    Tip_Panel Panel_{Events_};
    std::array<HWND, 6> Controls_{};
    // The slot's text as given and as shown: lone LFs are shown as CR LF, and a text the
    // user did not touch goes back exactly as it came.
    std::string Editing_Given_;
    std::wstring Editing_Shown_;
};
