#pragma once
#include "platform/Fonts.h"
#include "platform/Printer.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Trace.h"
#include "platform/Worker.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// The font chooser as the user cancelling it; the system's font mapping as what was asked.
struct Fake_Font_Chooser : Font_Chooser {
    bool Choose_Font(Font_Spec&) override { return false; }
    Font_Spec Realize(const Font_Spec& R) const override { return R; }
};

// The printer as the list of its operations, "|" between them; Fail_Reason makes End_Doc fail.
struct Fake_Printer : Printer {
    std::string Log, Fail_Reason;
    template <class T> void Note(const char* Op, const T& V) {
        Log += (std::ostringstream() << Op << V << '|').str();
    }
    void Set_Font_Name(std::string_view N) override { Note("Name ", N); }
    void Set_Font_Size(float P) override { Note("Size ", P); }
    void Set_Font_Bold(bool On) override { Note("Bold ", On); }
    void Set_Font_Italic(bool On) override { Note("Italic ", On); }
    void Set_Font_Underline(bool On) override { Note("Underline ", On); }
    void Print_Line(std::string_view S) override { Note("Print ", S); }
    std::string End_Doc() override { return Log += "End_Doc", Fail_Reason; }
};

// Failures as "where: what" lines.
struct Fake_Trace : Trace {
    std::vector<std::string> Lines;
    void Failure(std::string_view Where, std::string_view What) override {
        Lines.push_back(std::string(Where) + ": " + std::string(What));
    }
};

// Jobs run when the test says, in two steps as on Windows: the job on its thread, then its
// Done when the window's thread gets the message the job posted. Lanes are stepped one by one,
// in any order across lanes. Leaves out a job running at the same time as the window's thread
// and a thread that cannot be made.
struct Fake_Worker : Background_Worker {
    struct Lane_State {
        Job Work; // emptied once run
        Done Then;
        std::string Result;
    };
    Lane_State Lanes[Work_Lanes];
    bool Automatic = true; // a test that steps a job itself clears it
    Lane_State& Of(Work_Lane L) { return Lanes[static_cast<int>(L)]; }
    bool Start(Work_Lane L, Job W, Done T) override {
        return !Busy(L) && (Of(L) = {std::move(W), std::move(T), {}}, true);
    }
    bool Busy(Work_Lane L) const override { return bool(Lanes[static_cast<int>(L)].Then); }
    bool Ran(Work_Lane L) { return Busy(L) && !Of(L).Work; }
    void Run(Work_Lane L) {
        if (Of(L).Work) Of(L).Result = std::exchange(Of(L).Work, {})();
    }
    void Deliver(Work_Lane L) override {
        if (!Ran(L)) return;
        const Lane_State S = std::exchange(Of(L), {});
        S.Then(S.Result);
    }
    void Finish(Work_Lane L) override { Run(L), Deliver(L); }
    void Finish_All() {
        for (int L = 0; L < Work_Lanes; ++L)
            Finish(static_cast<Work_Lane>(L));
    }
};

struct Fake_Process_Info : Process_Info {
    std::string Folder() const override { return "C:\\PimLoft"; }
    std::string Exe_Path() const override { return "C:\\PimLoft\\PimLoft.exe"; }
    std::string Title() const override { return "PimLoft"; }
    int Major() const override { return 1; }
    int Minor() const override { return 0; }
    int Revision() const override { return 8; }
    std::string Company_Name() const override { return "PimLoft Project"; }
    std::string File_Description() const override { return "Clipboard Viewer/Editor"; }
};

struct Fake_Shell : Shell {
    std::vector<std::string> Started, Opened;
    bool Open_Document(const std::string& D) override { return Opened.push_back(D), true; }
    bool Start_Program(const std::string& P) override { return Started.push_back(P), true; }
};

// The current user's registry keys, under "HKCU\\", names compared without case; Open holds the
// handles not yet closed. Leaves out the machine's keys, enumeration, security, the 64-bit views
// and access rights.
struct Fake_Registry : Registry {
    std::map<std::string, std::map<std::string, std::pair<uint32_t, std::string>>> Keys;
    std::map<Registry_Key, std::string> Open;
    Registry_Key Next = 0x100;
    static std::string Id(std::string_view S) {
        std::string L(S);
        std::ranges::transform(L, L.begin(), [](unsigned char C) { return char(std::tolower(C)); });
        return L;
    }
    long Open_Key(uint32_t, std::string_view, uint32_t, Registry_Key&) override { return 2; }
    const std::pair<uint32_t, std::string>* Find(Registry_Key K, std::string_view Name) {
        const auto& Values = Keys[Open.at(K)];
        const auto It = Values.find(Id(Name));
        return It == Values.end() ? nullptr : &It->second;
    }
    long Query_Value(Registry_Key, std::string_view, uint32_t&, std::vector<uint8_t>&,
                     uint32_t&) override {
        return 2;
    }
    void Close_Key(Registry_Key K) override { Open.erase(K); }
    long Create_User_Key(std::string_view Key, uint32_t, Registry_Key& K) override {
        return Keys[Open[K = ++Next] = Id("HKCU\\" + std::string(Key))], ERROR_SUCCESS_;
    }
    long Query_String(Registry_Key K, std::string_view Name, std::string& Utf8) override {
        const auto* V = Find(K, Name);
        if (!V || V->first != REG_SZ_) return V ? 1629 : 2; // 1629: ERROR_INVALID_DATATYPE
        return Utf8 = V->second, ERROR_SUCCESS_;
    }
    long Refusal = 0; // the error every write returns; 0: writes succeed
    long Set_String(Registry_Key K, std::string_view Name, std::string_view Utf8) override {
        if (Refusal) return Refusal;
        return Keys[Open.at(K)][Id(Name)] = {REG_SZ_, std::string(Utf8)}, ERROR_SUCCESS_;
    }
    long Delete_Value(Registry_Key K, std::string_view Name) override {
        return Refusal ? Refusal : Keys[Open.at(K)].erase(Id(Name)) ? ERROR_SUCCESS_ : 2;
    }
};
