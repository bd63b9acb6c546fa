#pragma once
#include "platform/Dialogs.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

// The three dialog windows as plain control state. A test scripts what the user does while a
// dialog is shown through the factory's On_* functions, which Show_Modal runs, calling the
// events directly for a button; a script that leaves the dialog open counts as closing it
// through the frame. Leaves out drawing, focus, tab order and keyboard handling; a disabled
// control ignores clicks.

struct Fake_Dialog_Factory;

template <class K, class V> V Value_Or(const std::map<K, V>& M, K Key, V Default = V()) {
    const auto It = M.find(Key);
    return It == M.end() ? Default : It->second;
}

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
    std::string Text(Edit_Sel_Control C) const override { return Value_Or(Texts, C); }
    Rect Bounds(Edit_Sel_Control C) const override { return Places.at(C); }
    void Set_Bounds(Edit_Sel_Control C, const Rect& R) override {
        const bool Width_Changed = C == Edit_Sel_Control::TipBack && R.Width() != Places[C].Width();
        Places[C] = R;
        if (Width_Changed && Events) Events->TipBack_Resize();
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

    void Set_Events(Options_Events* E) override { Events = E; }
    void Set_Value(Options_Control C, int Value) override {
        using O = Options_Control;
        if ((C == O::News0 || C == O::News1 || C == O::News2) && Value != 0)
            Values[O::News0] = Values[O::News1] = Values[O::News2] = 0;
        Values[C] = Value;
    }
    int Value(Options_Control C) const override { return Value_Or(Values, C); }
    void Set_Enabled(Options_Control C, bool On) override { Disabled[C] = !On; }
    bool Enabled(Options_Control C) const override { return !Value_Or(Disabled, C); }
    void Set_Caption(Options_Control C, std::string_view Utf8) override {
        Captions[C] = std::string(Utf8);
    }
    std::string Caption(Options_Control C) const override { return Value_Or(Captions, C); }
    inline void Set_Label_Font(Options_Control Label, const Font_Spec& Font) override;
    Font_Spec Label_Font(Options_Control Label) const override { return Value_Or(Fonts, Label); }
    inline void Show_Modal() override;
    void Hide() override { Visible = false; }

    // A mouse click as the user makes it: check boxes toggle, option buttons turn on.
    void Click(Options_Control C) {
        using O = Options_Control;
        if (!Enabled(C) || !Events) return;
        if (C == O::cDelWarn || C == O::cCase || C == O::cToolTip) Values[C] = !Value(C);
        if (C == O::News0 || C == O::News1 || C == O::News2) Set_Value(C, 1);
        if (C == O::cToolTip) Events->cToolTip_Click();
        if (C == O::FontButton) Events->FontButton_Click();
        if (C == O::ToolButton) Events->ToolButton_Click();
        if (C == O::OKButton) Events->OKButton_Click();
        if (C == O::CancelButton) Events->CancelButton_Click();
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
    std::map<About_Control, std::string> About_Texts; // as the last About box showed them

    std::unique_ptr<Edit_Sel_View> Create_Edit_Sel() override {
        ++Edit_Sel_Created;
        auto V = std::make_unique<Fake_Edit_Sel_View>(*this);
        Edit_Sel = V.get();
        return V;
    }
    std::unique_ptr<Options_View> Create_Options() override {
        ++Options_Created;
        auto V = std::make_unique<Fake_Options_View>(*this);
        Options = V.get();
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
    if (Factory.On_Options) Factory.On_Options(*this);
    if (Visible && Events) Events->CancelButton_Click();
    Visible = false;
}

inline void Fake_About_View::Show_Modal() {
    Factory.About_Texts = Texts;
    if (Factory.On_About) Factory.On_About(*this);
}
