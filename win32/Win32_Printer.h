#pragma once
#include "platform/Fonts.h"
#include "platform/Printer.h"
#include "win32/Unique_Handle.h"

#include <string>

// The default printer, opened and its document started at the first call; End_Doc finishes
// the document and makes the object ready for the next one.
class Win32_Printer final : public Printer {
  public:
    Win32_Printer() = default;
    ~Win32_Printer() override;
    Win32_Printer(const Win32_Printer&) = delete;
    Win32_Printer& operator=(const Win32_Printer&) = delete;

    void Set_Font_Name(std::string_view Name) override;
    void Set_Font_Size(float Points) override;
    void Set_Font_Bold(bool On) override;
    void Set_Font_Italic(bool On) override;
    void Set_Font_Underline(bool On) override;
    void Print_Line(std::string_view Utf8) override;
    std::string End_Doc() override;

  private:
    bool Ensure_Doc();
    bool Ensure_Page();
    bool Select_Font();
    void Out_Line(std::wstring_view Line);
    void Fail(std::string Reason);
    void Fail_With_Last_Error();
    void Abandon();

    Unique_Dc Dc_;
    Unique_Gdi Font_;
    Gdi_Selection Font_Selection_; // ends before Font_ and Dc_ go
    Font_Spec Spec_ = Default_Text_Font;
    bool Font_Dirty_ = true;
    bool Doc_Started_ = false;
    bool Page_Started_ = false;
    int Y_ = 0;
    std::string Failure_;
};
