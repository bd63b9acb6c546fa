#pragma once
#include <string>
#include <string_view>

// The default printer as a page of text lines. Each property write takes effect for the lines
// printed after it. A failure anywhere is kept and reported by End_Doc; later calls then do
// nothing.
struct Printer {
    virtual ~Printer() = default;
    virtual void Set_Font_Name(std::string_view Name) = 0;
    virtual void Set_Font_Size(float Points) = 0;
    virtual void Set_Font_Bold(bool On) = 0;
    virtual void Set_Font_Italic(bool On) = 0;
    virtual void Set_Font_Underline(bool On) = 0;
    // CR LF inside Utf8 starts new lines; no wrapping; a full page starts a new one.
    virtual void Print_Line(std::string_view Utf8) = 0;
    // Hands the document to the spooler. "" on success, otherwise the reason.
    virtual std::string End_Doc() = 0;
};
