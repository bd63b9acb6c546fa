#pragma once
#include "platform/Dialogs.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

// The three dialog windows as plain control state. A test scripts what the user does while a
// dialog is shown through the factory's On_* functions, which Show_Modal runs; a script that
// leaves the dialog open counts as closing it through the frame. Leaves out drawing, focus,
// tab order and keyboard handling; a disabled control ignores clicks.

struct Fake_Dialog_Factory;

struct Fake_Edit_Sel_View : Edit_Sel_View {
    explicit Fake_Edit_Sel_View(Fake_Dialog_Factory& F) : Factory(F) {}

    Fake_Dialog_Factory& Factory;
    Edit_Sel_Events* Events = nullptr;
    std::map<Edit_Sel_Control, std::string> Texts{{Edit_Sel_Control::Tip, "Text1"}};
    std::map<Edit_Sel_Control, Rect> Places{
        {Edit_Sel_Control::Editing, {0, 0, 313, 105}},
        {Edit_Sel_Control::OKButton, {160, 184, 225, 209}},
        {Edit_Sel_Control::CancelButton, {240, 184, 305, 209}},
        {Edit_Sel_Control::TipBack, {0, 136, 313, 161}},
        {Edit_Sel_Control::Label1, {4, 4, 109, 21}},
        {Edit_Sel_Control::Tip, {112, 0, 313, 25}},
    };
    int Width = 314, Height = 213;
    bool Visible = false;
    int Shows = 0;

    void Set_Events(Edit_Sel_Events* E) override { Events = E; }
    void Set_Text(Edit_Sel_Control C, std::string_view Utf8) override {
        Texts[C] = std::string(Utf8);
    }
    std::string Text(Edit_Sel_Control C) const override {
        const auto T = Texts.find(C);
        return T == Texts.end() ? std::string() : T->second;
    }
    Rect Bounds(Edit_Sel_Control C) const override { return Places.at(C); }
    void Set_Bounds(Edit_Sel_Control C, const Rect& R) override {
        const int Old_Width = Places[C].Width();
        Places[C] = R;
        if (C == Edit_Sel_Control::TipBack && R.Width() != Old_Width && Events)
            Events->TipBack_Resize();
    }
    int Inner_Width() const override { return Width; }
    int Inner_Height() const override { return Height; }
    inline void Show_Modal() override;
    void Hide() override { Visible = false; }

    // The user drags the frame to a new inner size.
    void Resize(int W, int H) {
        Width = W;
        Height = H;
        if (Events) Events->Form_Resize();
    }
    void Click_OK() {
        if (Events) Events->OKButton_Click();
    }
    void Click_Cancel() {
        if (Events) Events->CancelButton_Click();
    }
};

struct Fake_Options_View : Options_View {
    explicit Fake_Options_View(Fake_Dialog_Factory& F) : Factory(F) {}

    Fake_Dialog_Factory& Factory;
    Options_Events* Events = nullptr;
    std::map<Options_Control, int> Values;
    std::map<Options_Control, bool> Disabled;
    std::map<Options_Control, std::string> Captions;
    std::map<Options_Control, Font_Spec> Fonts;
    bool Visible = false;
    int Shows = 0;

    void Set_Events(Options_Events* E) override { Events = E; }
    void Set_Value(Options_Control C, int Value) override {
        if (Is_Option(C) && Value != 0)
            for (auto O : {Options_Control::News0, Options_Control::News1, Options_Control::News2})
                Values[O] = 0;
        Values[C] = Value;
    }
    int Value(Options_Control C) const override {
        const auto V = Values.find(C);
        return V == Values.end() ? 0 : V->second;
    }
    void Set_Enabled(Options_Control C, bool On) override { Disabled[C] = !On; }
    bool Enabled(Options_Control C) const override {
        const auto D = Disabled.find(C);
        return D == Disabled.end() || !D->second;
    }
    void Set_Caption(Options_Control C, std::string_view Utf8) override {
        Captions[C] = std::string(Utf8);
    }
    std::string Caption(Options_Control C) const override {
        const auto T = Captions.find(C);
        return T == Captions.end() ? std::string() : T->second;
    }
    inline void Set_Label_Font(Options_Control Label, const Font_Spec& Font) override;
    Font_Spec Label_Font(Options_Control Label) const override {
        const auto F = Fonts.find(Label);
        return F == Fonts.end() ? Font_Spec{} : F->second;
    }
    inline void Show_Modal() override;
    void Hide() override { Visible = false; }

    // A mouse click as the user makes it: check boxes toggle, option buttons turn on.
    void Click(Options_Control C) {
        if (!Enabled(C) || !Events) return;
        switch (C) {
        case Options_Control::cDelWarn:
        case Options_Control::cCase:
            Values[C] = Value(C) ? 0 : 1;
            break;
        case Options_Control::cToolTip:
            Values[C] = Value(C) ? 0 : 1;
            Events->cToolTip_Click();
            break;
        case Options_Control::News0:
        case Options_Control::News1:
        case Options_Control::News2:
            Set_Value(C, 1);
            break;
        case Options_Control::FontButton:
            Events->FontButton_Click();
            break;
        case Options_Control::ToolButton:
            Events->ToolButton_Click();
            break;
        case Options_Control::OKButton:
            Events->OKButton_Click();
            break;
        case Options_Control::CancelButton:
            Events->CancelButton_Click();
            break;
        default:
            break;
        }
    }

  private:
    static bool Is_Option(Options_Control C) {
        return C == Options_Control::News0 || C == Options_Control::News1 ||
               C == Options_Control::News2;
    }
};

struct Fake_About_View : About_View {
    explicit Fake_About_View(Fake_Dialog_Factory& F) : Factory(F) {}

    Fake_Dialog_Factory& Factory;
    About_Events* Events = nullptr;
    std::map<About_Control, std::string> Texts{{About_Control::lblDescription, "App Description"}};

    void Set_Events(About_Events* E) override { Events = E; }
    void Set_Text(About_Control C, std::string_view Utf8) override { Texts[C] = std::string(Utf8); }
    inline void Show_Modal() override;
    void Click_SysInfo() {
        if (Events) Events->cmdSysInfo_Click();
    }
};

struct Fake_Dialog_Factory : Dialog_Factory {
    // What the user does while each dialog is shown.
    std::function<void(Fake_Edit_Sel_View&)> On_Edit_Sel;
    std::function<void(Fake_Options_View&)> On_Options;
    std::function<void(Fake_About_View&)> On_About;
    // The font a label really gets for a request (the system may substitute or round).
    std::function<Font_Spec(const Font_Spec&)> Realize_Label_Font;

    // The views the logic created last; the factory's owner outlives them.
    Fake_Edit_Sel_View* Edit_Sel = nullptr;
    Fake_Options_View* Options = nullptr;
    int Edit_Sel_Created = 0, Options_Created = 0, About_Created = 0;
    // The captions of the last About box as it was shown.
    std::map<About_Control, std::string> About_Texts;

    std::unique_ptr<Edit_Sel_View> Create_Edit_Sel() override {
        auto V = std::make_unique<Fake_Edit_Sel_View>(*this);
        Edit_Sel = V.get();
        ++Edit_Sel_Created;
        return V;
    }
    std::unique_ptr<Options_View> Create_Options() override {
        auto V = std::make_unique<Fake_Options_View>(*this);
        Options = V.get();
        ++Options_Created;
        return V;
    }
    std::unique_ptr<About_View> Create_About() override {
        ++About_Created;
        return std::make_unique<Fake_About_View>(*this);
    }
};

inline void Fake_Edit_Sel_View::Show_Modal() {
    Visible = true;
    if (Shows++ == 0 && Events) Events->Form_Resize(); // the first showing sizes the window
    if (Factory.On_Edit_Sel) Factory.On_Edit_Sel(*this);
    if (Visible && Events) Events->CancelButton_Click(); // closed through the frame
    Visible = false;
}

inline void Fake_Options_View::Set_Label_Font(Options_Control Label, const Font_Spec& Font) {
    Fonts[Label] = Factory.Realize_Label_Font ? Factory.Realize_Label_Font(Font) : Font;
}

inline void Fake_Options_View::Show_Modal() {
    Visible = true;
    ++Shows;
    if (Factory.On_Options) Factory.On_Options(*this);
    if (Visible && Events) Events->CancelButton_Click();
    Visible = false;
}

inline void Fake_About_View::Show_Modal() {
    Factory.About_Texts = Texts;
    if (Factory.On_About) Factory.On_About(*this);
}
