#pragma once
#include "platform/Printer.h"

#include <string>
#include <vector>

// The default printer as a log of operations and the lines that reached the page. Leaves out
// metrics: a page holds Lines_Per_Page lines whatever the font. A failure switched on before
// (or during) a document is kept and reported by End_Doc, as the real printer does.
struct Fake_Printer : Printer {
    struct Line {
        std::string Font_Name;
        float Font_Size = 0;
        std::string Text;
    };

    std::vector<std::string> Log; // every call, in order
    std::vector<std::vector<Line>> Pages;
    std::vector<std::vector<std::vector<Line>>> Documents; // the pages of each finished document
    int Lines_Per_Page = 60;
    std::string Fail_Reason; // non-empty: the document fails with this reason

    void Set_Font_Name(std::string_view Name) override {
        Log.push_back("Name " + std::string(Name));
        Name_ = std::string(Name);
    }
    void Set_Font_Size(float Points) override {
        Log.push_back("Size " + Number(Points));
        Size_ = Points;
    }
    void Set_Font_Bold(bool On) override { Log.push_back(On ? "Bold 1" : "Bold 0"); }
    void Set_Font_Italic(bool On) override { Log.push_back(On ? "Italic 1" : "Italic 0"); }
    void Set_Font_Underline(bool On) override { Log.push_back(On ? "Underline 1" : "Underline 0"); }
    void Print_Line(std::string_view Utf8) override {
        Log.push_back("Print " + std::string(Utf8));
        if (!Fail_Reason.empty()) return;
        size_t Start = 0;
        for (;;) {
            const size_t End = Utf8.find("\r\n", Start);
            Add_Line(std::string(Utf8.substr(Start, End - Start)));
            if (End == std::string_view::npos) break;
            Start = End + 2;
        }
    }
    std::string End_Doc() override {
        Log.push_back("End_Doc");
        if (!Fail_Reason.empty()) {
            Pages.clear();
            return Fail_Reason;
        }
        Documents.push_back(Pages);
        Pages.clear();
        return "";
    }

  private:
    std::string Name_;
    float Size_ = 0;

    void Add_Line(std::string Text) {
        if (Pages.empty() || static_cast<int>(Pages.back().size()) >= Lines_Per_Page)
            Pages.emplace_back();
        Pages.back().push_back(Line{Name_, Size_, std::move(Text)});
    }
    static std::string Number(float V) {
        std::string S = std::to_string(V);
        while (!S.empty() && S.back() == '0')
            S.pop_back();
        if (!S.empty() && S.back() == '.') S.pop_back();
        return S;
    }
};
