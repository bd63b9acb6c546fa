#pragma once
#include "platform/Dialogs.h"
#include "tests/doubles/Fake_Windows.h"

#include <map>

// The dialogs as control state. While one is modal the main window is disabled and the On_*
// script plays the user; a dialog it leaves open is cancelled. Leaves out drawing, focus, keys.
struct Fake_Edit_Sel_View;
struct Fake_Options_View;
struct Fake_About_View;

struct Dialog_Scripts {
    explicit Dialog_Scripts(bool& Owner_Enabled) : Owner(Owner_Enabled) {}
    bool& Owner;
    std::function<void(Fake_Edit_Sel_View&)> On_Edit_Sel;
    std::function<void(Fake_Options_View&)> On_Options;
    std::function<void(Fake_About_View&)> On_About;
    template <class V> void Show(V& View, const std::function<void(V&)>& Script) {
        Modal_Scope Modal(Owner);
        View.Visible = true;
        if (Script) Script(View);
        if (View.Visible) View.Events->CancelButton_Click();
    }
};

struct Fake_Edit_Sel_View : Edit_Sel_View {
    using C = Edit_Sel_Control;
    explicit Fake_Edit_Sel_View(Dialog_Scripts& S) : Scripts(S) {}
    Dialog_Scripts& Scripts;
    Edit_Sel_Events* Events = nullptr;
    mutable std::map<C, std::string> Texts;
    std::map<C, Rect> Places{{C::Editing, {0, 0, 313, 105}},
                             {C::OKButton, {160, 184, 225, 209}},
                             {C::CancelButton, {240, 184, 305, 209}},
                             {C::TipBack, {0, 136, 313, 161}},
                             {C::Label1, {4, 4, 109, 21}},
                             {C::Tip, {112, 0, 313, 25}}};
    bool Visible = false;
    void Set_Events(Edit_Sel_Events* E) override { Events = E; }
    void Set_Text(C Ctl, std::string_view S) override { Texts[Ctl] = S; }
    std::string Text(C Ctl) const override { return Texts[Ctl]; }
    Rect Bounds(C Ctl) const override { return Places.at(Ctl); }
    void Set_Bounds(C Ctl, const Rect& R) override {
        const bool Wider = Ctl == C::TipBack && R.Width() != Places[Ctl].Width();
        Places[Ctl] = R;
        if (Wider && Events) Events->TipBack_Resize();
    }
    int Inner_Width() const override { return 314; }
    int Inner_Height() const override { return 213; }
    void Show_Modal() override { Scripts.Show(*this, Scripts.On_Edit_Sel); }
    void Hide() override { Visible = false; }
};

struct Fake_Options_View : Options_View {
    using C = Options_Control;
    explicit Fake_Options_View(Dialog_Scripts& S) : Scripts(S) {}
    Dialog_Scripts& Scripts;
    Options_Events* Events = nullptr;
    mutable std::map<C, int> Values;
    mutable std::map<C, bool> Disabled;
    mutable std::map<C, std::string> Captions;
    mutable std::map<C, Font_Spec> Fonts;
    mutable std::map<C, std::vector<std::string>> Lists;
    bool Visible = false;
    void Set_Events(Options_Events* E) override { Events = E; }
    void Set_Value(C Ctl, int V) override {
        // A list selects nothing for a line it does not have.
        const auto List = Lists.find(Ctl);
        Values[Ctl] = List != Lists.end() && (V < 0 || size_t(V) >= List->second.size()) ? -1 : V;
    }
    int Value(C Ctl) const override { return Values[Ctl]; }
    void Set_Enabled(C Ctl, bool On) override { Disabled[Ctl] = !On; }
    bool Enabled(C Ctl) const override { return !Disabled[Ctl]; }
    void Set_Caption(C Ctl, std::string_view S) override { Captions[Ctl] = S; }
    std::string Caption(C Ctl) const override { return Captions[Ctl]; }
    void Set_Label_Font(C Label, const Font_Spec& Font) override { Fonts[Label] = Font; }
    Font_Spec Label_Font(C Label) const override { return Fonts[Label]; }
    void Set_Lines(C List, const std::vector<std::string>& L) override {
        Lists[List] = L, Values[List] = -1;
    }
    std::vector<std::string> Lines(C List) const override { return Lists[List]; }
    void Show_Modal() override { Scripts.Show(*this, Scripts.On_Options); }
    void Hide() override { Visible = false; }
};

struct Fake_About_View : About_View {
    explicit Fake_About_View(Dialog_Scripts& S) : Scripts(S) {}
    Dialog_Scripts& Scripts;
    About_Events* Events = nullptr;
    void Set_Events(About_Events* E) override { Events = E; }
    void Set_Text(About_Control, std::string_view) override {}
    void Show_Modal() override {
        Modal_Scope Modal(Scripts.Owner);
        if (Scripts.On_About) Scripts.On_About(*this);
    }
};

struct Fake_Dialog_Factory : Dialog_Factory, Dialog_Scripts {
    explicit Fake_Dialog_Factory(bool& Owner_Enabled) : Dialog_Scripts(Owner_Enabled) {}
    std::unique_ptr<Edit_Sel_View> Create_Edit_Sel() override {
        return std::make_unique<Fake_Edit_Sel_View>(*this);
    }
    std::unique_ptr<Options_View> Create_Options() override {
        return std::make_unique<Fake_Options_View>(*this);
    }
    std::unique_ptr<About_View> Create_About() override {
        return std::make_unique<Fake_About_View>(*this);
    }
};
