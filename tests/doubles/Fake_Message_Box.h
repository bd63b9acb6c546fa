#pragma once
#include "platform/MessageBox.h"
#include "tests/doubles/Call_Log.h"

#include <deque>
#include <functional>
#include <string>

// Message boxes answered from a script (Default_Answer once the script is empty); each shown
// box is logged as "Kind: Title: Text". On_Show runs inside the box's nested loop. Leaves out
// icons and default buttons.
struct Fake_Message_Box : Message_Box, Logged {
    std::deque<bool> Answers;
    bool Default_Answer = true;
    std::function<void()> On_Show;
    int Shown = 0;

    bool Ok_Cancel(std::string_view Text, std::string_view Title) override {
        return Ask("Ok_Cancel", Text, Title);
    }
    bool Yes_No(std::string_view Text, std::string_view Title) override {
        return Ask("Yes_No", Text, Title);
    }
    void Ok(std::string_view Text, std::string_view Title) override { Ask("Ok", Text, Title); }

  private:
    bool Ask(const char* Kind, std::string_view Text, std::string_view Title) {
        ++Shown;
        Note(std::string(Kind) + ": " + std::string(Title) + ": " + std::string(Text));
        if (On_Show) On_Show();
        if (Answers.empty()) return Default_Answer;
        const bool A = Answers.front();
        Answers.pop_front();
        return A;
    }
};
