#pragma once
#include "platform/Fonts.h"
#include "platform/Printer.h"
#include "platform/Process.h"
#include "platform/Registry.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

// The font chooser as a scripted answer (none: the user cancels); the system's font mapping as
// face substitutions and a size step. Leaves out the font list and character sets.
struct Fake_Font_Chooser : Font_Chooser {
    std::optional<Font_Spec> Choice;
    std::vector<Font_Spec> Offered;
    std::map<std::string, std::string> Substitute;
    float Size_Step = 0;
    bool Choose_Font(Font_Spec& Font) override {
        Offered.push_back(Font);
        if (!Choice) return false;
        Font = Font_Spec{Choice->Name, Choice->Size, Choice->Bold, Choice->Italic, Font.Underline};
        return true; // the chooser offers no underline
    }
    Font_Spec Realize(const Font_Spec& R) const override {
        Font_Spec F = R;
        if (const auto S = Substitute.find(F.Name); S != Substitute.end()) F.Name = S->second;
        if (Size_Step > 0) F.Size = std::round(F.Size / Size_Step) * Size_Step;
        return F;
    }
};

// The printer as the list of its operations; Fail_Reason makes End_Doc fail. Leaves out
// metrics and pages.
struct Fake_Printer : Printer {
    std::vector<std::string> Log;
    std::string Fail_Reason;
    void Set_Font_Name(std::string_view N) override { Log.push_back("Name " + std::string(N)); }
    void Set_Font_Size(float P) override {
        std::ostringstream S;
        S << "Size " << P;
        Log.push_back(S.str());
    }
    void Set_Font_Bold(bool On) override { Log.push_back(On ? "Bold" : "-Bold"); }
    void Set_Font_Italic(bool On) override { Log.push_back(On ? "Italic" : "-Italic"); }
    void Set_Font_Underline(bool On) override { Log.push_back(On ? "Underline" : "-Underline"); }
    void Print_Line(std::string_view S) override { Log.push_back("Print " + std::string(S)); }
    std::string End_Doc() override { return Log.push_back("End_Doc"), Fail_Reason; }
};

// The program's folder, title and version information, fixed.
struct Fake_Process_Info : Process_Info {
    std::string Folder() const override { return "C:\\PimLoft"; }
    std::string Title() const override { return "PimLoft"; }
    int Major() const override { return 1; }
    int Minor() const override { return 0; }
    int Revision() const override { return 8; }
    std::string Company_Name() const override { return "PimLoft Project"; }
    std::string File_Description() const override { return "Clipboard Viewer/Editor"; }
};

// Documents opened and programs started; a path in Fail does neither. Leaves out associations.
struct Fake_Shell : Shell {
    std::vector<std::string> Opened, Started;
    std::set<std::string> Fail;
    bool Open_Document(const std::string& P) override { return Do(Opened, P); }
    bool Start_Program(const std::string& P) override { return Do(Started, P); }
    bool Do(std::vector<std::string>& Done, const std::string& P) {
        if (Fail.count(P)) return false;
        Done.push_back(P);
        return true;
    }
};

// Registry keys of typed values, names compared without case; Open counts the handles not
// yet closed. Leaves out enumeration, security and the 64-bit views.
struct Fake_Registry : Registry {
    struct Value {
        uint32_t Type;
        std::vector<uint8_t> Data;
    };
    std::map<std::string, std::map<std::string, Value>> Keys;
    std::map<Registry_Key, std::string> Open;
    Registry_Key Next = 0x100;
    static std::string Id(std::string_view S) {
        std::string L(S);
        std::transform(L.begin(), L.end(), L.begin(), [](unsigned char C) { return char(std::tolower(C)); });
        return L;
    }
    void Set(std::string_view Key, std::string_view Name, uint32_t Type, std::string Data) {
        Keys[Id(Key)][Id(Name)] = Value{Type, {Data.begin(), Data.end()}};
    }
    long Open_Key(uint32_t Root, std::string_view Key, uint32_t, Registry_Key& K) override {
        if (Root != HKEY_LOCAL_MACHINE_ || !Keys.count(Id(Key))) return 2;
        Open[K = ++Next] = Id(Key);
        return ERROR_SUCCESS_;
    }
    long Query_Value(Registry_Key K, std::string_view Name, uint32_t& Type,
                     std::vector<uint8_t>& Buffer, uint32_t& Size) override {
        const auto& Values = Keys[Open.at(K)];
        const auto V = Values.find(Id(Name));
        if (V == Values.end()) return 2;
        Type = V->second.Type;
        Size = static_cast<uint32_t>(V->second.Data.size());
        if (Buffer.size() < Size) return ERROR_MORE_DATA_;
        std::copy(V->second.Data.begin(), V->second.Data.end(), Buffer.begin());
        return ERROR_SUCCESS_;
    }
    void Close_Key(Registry_Key K) override { Open.erase(K); }
};
