#include "win32/Win32_Printer.h"

#include "platform/Text_Lines.h"
#include "win32/System_Error.h"
#include "win32/Win32_Controls.h"
#include "win32/Win32_Fonts.h"
#include "win32/Win32_Text.h"

#include <climits>

namespace {

constexpr char No_Printer[] = "No default printer is installed.";

} // namespace

Win32_Printer::~Win32_Printer() {
    Abandon();
}

void Win32_Printer::Fail(std::string Reason) {
    if (Failure_.empty()) Failure_ = std::move(Reason);
}

void Win32_Printer::Fail_With_Last_Error() {
    const DWORD Code = GetLastError();
    // Spooler calls do not always set an error; the user still needs a reason.
    Fail(Code ? System_Error_Text(Code) : std::string("The printer could not print the document."));
}

bool Win32_Printer::Ensure_Doc() {
    if (!Failure_.empty()) return false;
    if (Doc_Started_) return true;
    DWORD Code = 0;
    const std::wstring Name = Default_Printer(&Code);
    if (Name.empty()) {
        Fail(Code == ERROR_FILE_NOT_FOUND || Code == 0 ? No_Printer : System_Error_Text(Code));
        return false;
    }
    Dc_.Reset(CreateDCW(L"WINSPOOL", Name.c_str(), nullptr, nullptr));
    if (!Dc_) {
        Fail_With_Last_Error();
        return false;
    }
    DOCINFOW Info{};
    Info.cbSize = sizeof Info;
    Info.lpszDocName = L"PimLoft";
    if (StartDocW(Dc_.Get(), &Info) <= 0) {
        Fail_With_Last_Error();
        Dc_.Reset();
        return false;
    }
    Doc_Started_ = true;
    Font_Dirty_ = true;
    Y_ = 0;
    return true;
}

bool Win32_Printer::Ensure_Page() {
    if (!Ensure_Doc()) return false;
    if (Page_Started_) return true;
    if (StartPage(Dc_.Get()) <= 0) {
        Fail_With_Last_Error();
        return false;
    }
    Page_Started_ = true;
    Y_ = 0;
    // Some drivers reset the DC's objects at every new page.
    Font_Dirty_ = true;
    return true;
}

bool Win32_Printer::Select_Font() {
    if (!Font_Dirty_) return true;
    const int Dpi = GetDeviceCaps(Dc_.Get(), LOGPIXELSY);
    const LOGFONTW Log = To_Log_Font(Spec_, Dpi > 0 ? Dpi : 600);
    Unique_Gdi Font(CreateFontIndirectW(&Log));
    if (!Font) {
        Fail_With_Last_Error();
        return false;
    }
    Font_Selection_.Restore(); // the font it replaces may go only once it is out of the DC
    Font_ = std::move(Font);
    Font_Selection_ = Gdi_Selection(Dc_.Get(), Font_.Get());
    Font_Dirty_ = false;
    return true;
}

void Win32_Printer::Set_Font_Name(std::string_view Name) {
    if (!Ensure_Doc()) return;
    Spec_.Name = std::string(Name);
    Font_Dirty_ = true;
}

void Win32_Printer::Set_Font_Size(float Points) {
    if (!Ensure_Doc()) return;
    Spec_.Size = Points;
    Font_Dirty_ = true;
}

void Win32_Printer::Set_Font_Bold(bool On) {
    if (!Ensure_Doc()) return;
    Spec_.Bold = On;
    Font_Dirty_ = true;
}

void Win32_Printer::Set_Font_Italic(bool On) {
    if (!Ensure_Doc()) return;
    Spec_.Italic = On;
    Font_Dirty_ = true;
}

void Win32_Printer::Set_Font_Underline(bool On) {
    if (!Ensure_Doc()) return;
    Spec_.Underline = On;
    Font_Dirty_ = true;
}

void Win32_Printer::Out_Line(std::wstring_view Line) {
    if (!Ensure_Page() || !Select_Font()) return;
    TEXTMETRICW Metrics{};
    GetTextMetricsW(Dc_.Get(), &Metrics);
    const int Height = Metrics.tmHeight + Metrics.tmExternalLeading;
    const int Page_Height = GetDeviceCaps(Dc_.Get(), VERTRES);
    if (Y_ > 0 && Y_ + Height > Page_Height) {
        if (EndPage(Dc_.Get()) <= 0) {
            Fail_With_Last_Error();
            return;
        }
        Page_Started_ = false;
        if (!Ensure_Page() || !Select_Font()) return;
    }
    // TextOutW counts in ints; a longer line is beyond any page anyway.
    const int Count = static_cast<int>(Line.size() > INT_MAX ? INT_MAX : Line.size());
    if (Count > 0 && !TextOutW(Dc_.Get(), 0, Y_, Line.data(), Count)) {
        Fail_With_Last_Error();
        return;
    }
    Y_ += Height > 0 ? Height : 1;
}

void Win32_Printer::Print_Line(std::string_view Utf8) {
    if (!Ensure_Page()) return;
    const std::wstring Text = To_Wide(Utf8);
    for (const std::wstring_view Line : Print_Lines(Text)) {
        Out_Line(Line);
        if (!Failure_.empty()) break;
    }
}

void Win32_Printer::Abandon() {
    Font_Selection_.Restore();
    if (Doc_Started_) AbortDoc(Dc_.Get());
    Font_.Reset();
    Dc_.Reset();
    Doc_Started_ = Page_Started_ = false;
    Font_Dirty_ = true;
    Y_ = 0;
}

std::string Win32_Printer::End_Doc() {
    if (Failure_.empty() && !Doc_Started_)
        Ensure_Doc(); // nothing printed: still report a missing printer
    if (Failure_.empty() && Doc_Started_) {
        if (Page_Started_ && EndPage(Dc_.Get()) <= 0) Fail_With_Last_Error();
        Page_Started_ = false;
        if (Failure_.empty() && EndDoc(Dc_.Get()) <= 0)
            Fail_With_Last_Error();
        else if (Failure_.empty())
            Doc_Started_ = false;
    }
    std::string Reason = std::move(Failure_);
    Failure_.clear();
    Abandon();
    Spec_ = Default_Text_Font;
    return Reason;
}
