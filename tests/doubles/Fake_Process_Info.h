#pragma once
#include "platform/Process.h"

#include <string>

// The program's own folder, title and version information, as fields a test may change.
struct Fake_Process_Info : Process_Info {
    std::string Folder_ = "C:\\PimLoft";
    std::string Title_ = "PimLoft";
    int Major_ = 1, Minor_ = 0, Revision_ = 8;
    std::string Company_ = "PimLoft Project";
    std::string Description_ = "Clipboard Viewer/Editor";

    std::string Folder() const override { return Folder_; }
    std::string Title() const override { return Title_; }
    int Major() const override { return Major_; }
    int Minor() const override { return Minor_; }
    int Revision() const override { return Revision_; }
    std::string Company_Name() const override { return Company_; }
    std::string File_Description() const override { return Description_; }
};
