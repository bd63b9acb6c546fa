#pragma once
#include "mainwindow/Slot_Store.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

struct Clipboard;
struct Main_Window;
struct Text_Codec;
struct Trace;

// Nothing copied while capture is paused, nor by a program the user excluded, is filed or
// written anywhere: such a copy is dropped here, before the slots, the journal or the history
// see it.
//
// Clipboard changes while our own menu, box or dialog is open are read as they arrive and
// filed in order once the last of them has closed, so no command acts on a slot the user did
// not choose and no copy is lost. Our own writes are told from other programs' copies by the
// clipboard's sequence number.
class Capture_Gate {
  public:
    // Window: the timer of a retry at a busy clipboard.
    Capture_Gate(Clipboard& Clip, Slot_Store& Store, Main_Window& Window, const Text_Codec& Text,
                 Trace& Log)
        : Clip_(Clip), Store_(Store), Window_(Window), Text_(Text), Log_(Log) {}
    Capture_Gate(const Capture_Gate&) = delete;
    Capture_Gate& operator=(const Capture_Gate&) = delete;

    // The clipboard changed (the watcher's event).
    void Clipboard_Changed();
    // The clipboard was busy when a change arrived: another try at reading it.
    void Retry_Due();
    // Files a text the user pasted from the history as a copy just made, under the same rules
    // as a copy: not while paused.
    bool File_Again(std::string Text, Copy_Source Source);
    // Puts Text on the clipboard as our own write, which capture then passes over. False when
    // the clipboard could not be written.
    bool Write_Own(std::string_view Text);
    // The clipboard's sequence number right after our last successful write.
    uint32_t Own_Write() const { return Own_Write_; }
    // Files the copies that wait for our loops to close, now: exit must not drop them.
    void File_Waiting();
    // Called after the last open menu, box or dialog closed and the copies that waited were filed.
    void When_Closed(std::function<void()> Then) { Closed_ = std::move(Then); }
    // True while a menu, box or dialog of ours is open.
    bool In_Loop() const { return Open_Loops_ > 0; }
    // The program of the last copy filed ("" when unknown or none yet).
    const std::string& Last_Program() const { return Last_Program_; }
    // Empties the clipboard when it holds the last copy filed or our own write, unless a
    // locked slot keeps that text: after the slots and history forgot them.
    void Empty_If_Ours();
    // Nothing is filed from now on (exit).
    void Stop() { Stopped_ = true; }

  private:
    friend class Nested_Loop;
    struct Copy {
        std::string Text;
        Copy_Source Source;
        uint32_t Sequence = 0; // the clipboard's, when it was read
    };
    // False for a copy that must leave no trace: capture is paused, or its program excluded.
    bool Kept(const Copy_Source& Source) const;
    bool File_Text(Copy Taken);

    Clipboard& Clip_;
    Slot_Store& Store_;
    Main_Window& Window_;
    const Text_Codec& Text_;
    Trace& Log_;
    bool Stopped_ = false;
    int Open_Loops_ = 0;
    std::deque<Copy> Waiting_;
    std::function<void()> Closed_;
    std::string Last_Program_;
    uint32_t Last_Filed_ = 0; // the sequence number of the last copy filed
    uint32_t Own_Write_ = 0;  // the clipboard's sequence number after our last write
    uint32_t Last_Seen_ = 0;  // the sequence number of the last change read
    bool Wrote_While_Open_ = false;
    int Busy_Retries_ = 0; // tries left at a change the clipboard's holder kept from us
};

// Held around every nested loop of our own (menu, message box, dialog) and the command it
// leads to: clipboard changes meanwhile are read at once and filed when the last loop ends.
class Nested_Loop {
  public:
    explicit Nested_Loop(Capture_Gate& Gate);
    Nested_Loop(const Nested_Loop&) = delete;
    Nested_Loop& operator=(const Nested_Loop&) = delete;
    ~Nested_Loop();

  private:
    Capture_Gate& Gate_;
};
