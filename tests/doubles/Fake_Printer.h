#pragma once
#include "platform/Printer.h"

#include <sstream>
#include <string>
#include <vector>

// The default printer as a log of operations and the lines each finished document printed.
// Leaves out metrics and pages. A failure switched on before or during a document is
// reported by End_Doc, as the real printer does.
struct Fake_Printer : Printer {
    struct Line {
        std::string Font_Name;
        std::string Text;
    };

    std::vector<std::string> Log;
    std::vector<std::vector<Line>> Documents;
    std::string Fail_Reason; // non-empty: the document fails with this reason

    void Set_Font_Name(std::string_view Name) override {
        Log.push_back("Name " + std::string(Name));
        Font_ = std::string(Name);
    }
    void Set_Font_Size(float Points) override {
        std::ostringstream S;
        S << "Size " << Points;
        Log.push_back(S.str());
    }
    void Set_Font_Bold(bool On) override { Log.push_back(On ? "Bold 1" : "Bold 0"); }
    void Set_Font_Italic(bool On) override { Log.push_back(On ? "Italic 1" : "Italic 0"); }
    void Set_Font_Underline(bool On) override { Log.push_back(On ? "Underline 1" : "Underline 0"); }
    void Print_Line(std::string_view Utf8) override {
        Log.push_back("Print " + std::string(Utf8));
        for (size_t Start = 0;;) {
            const size_t End = Utf8.find("\r\n", Start);
            Doc_.push_back(Line{Font_, std::string(Utf8.substr(Start, End - Start))});
            if (End == std::string_view::npos) break;
            Start = End + 2;
        }
    }
    std::string End_Doc() override {
        Log.push_back("End_Doc");
        if (Fail_Reason.empty()) Documents.push_back(Doc_);
        Doc_.clear();
        return Fail_Reason;
    }

  private:
    std::string Font_;
    std::vector<Line> Doc_;
};
