#pragma once
#include <string>

// What the program knows of itself, from its location and its version information.
struct Process_Info {
    virtual ~Process_Info() = default;
    virtual std::string Folder() const = 0;   // UTF-8, without a guaranteed trailing separator
    virtual std::string Exe_Path() const = 0; // UTF-8, the running exe
    virtual std::string Title() const = 0;    // "PimLoft"
    virtual int Major() const = 0;
    virtual int Minor() const = 0;
    virtual int Revision() const = 0;
    virtual std::string Company_Name() const = 0;
    virtual std::string File_Description() const = 0;
};

// Starting other programs and documents.
struct Shell {
    virtual ~Shell() = default;
    // Opens a document with its associated program (the help file, the HTML manual).
    virtual bool Open_Document(const std::string& Path) = 0;
    // Starts a program, normal and activated window.
    virtual bool Start_Program(const std::string& Path) = 0;
};
