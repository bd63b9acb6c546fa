#pragma once
#include "platform/Process.h"

#include <string>

// The program's own folder, title and version information, fixed. Leaves out the file system
// and the resource section they come from.
struct Fake_Process_Info : Process_Info {
    std::string Folder() const override { return "C:\\PimLoft"; }
    std::string Title() const override { return "PimLoft"; }
    int Major() const override { return 1; }
    int Minor() const override { return 0; }
    int Revision() const override { return 8; }
    std::string Company_Name() const override { return "PimLoft Project"; }
    std::string File_Description() const override { return "Clipboard Viewer/Editor"; }
};
