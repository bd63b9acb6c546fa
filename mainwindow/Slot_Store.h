#pragma once
#include "slots/LinkList.h"
#include "storage/Settings.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

struct Text_Codec;
struct Trace;

// Where a copy came from: when it was read off the clipboard (UTC) and the program that made
// it ("" while unknown).
struct Copy_Source {
    std::chrono::system_clock::time_point Taken;
    std::string Program;
};

// Seconds since 1970 in UTC, as the history keeps a copy's time.
inline uint64_t Utc_Seconds(std::chrono::system_clock::time_point T) {
    const auto S = std::chrono::duration_cast<std::chrono::seconds>(T.time_since_epoch()).count();
    return S > 0 ? static_cast<uint64_t>(S) : 0;
}
// The same of now, as a slot's filled time counts it.
inline int64_t Utc_Now() {
    return static_cast<int64_t>(Utc_Seconds(std::chrono::system_clock::now()));
}

// What a change was, and to which slot (a node index; Nil for the settings). Seen: a copy of
// what the selected slot holds, which changes only that slot's time. Loaded: the data file
// read at start. Placed: the window's place, taken by the save that writes it.
enum class Change_Kind {
    Filed,
    Edited,
    Added,
    Moved,
    Locked,
    Selected,
    Cleared,
    Deleted,
    Settings,
    Seen,
    Loaded,
    Placed
};
struct Change {
    Change_Kind Kind;
    int16_t Slot;
    const Copy_Source* Source = nullptr; // a copy's; only for the length of the telling
};

// False for the kinds that leave nothing new to save.
inline bool Changes_Data(Change_Kind K) {
    return K != Change_Kind::Loaded && K != Change_Kind::Placed;
}

struct Store_Observer {
    virtual void Changed(const Change& What) = 0;

  protected:
    ~Store_Observer() = default;
};

// The slots and the settings. Every change goes through an operation here, which tells each
// observer, in the order given at construction, exactly one Change; one that changes nothing
// tells nothing, except a copy: every copy taken is told.
class Slot_Store {
  public:
    explicit Slot_Store(std::vector<Store_Observer*> Observers);
    Slot_Store(const Slot_Store&) = delete;
    Slot_Store& operator=(const Slot_Store&) = delete;

    const Stored_Data& Data() const { return D_; }
    const LinkList& List() const { return D_.List; }
    const Settings& Util() const { return D_.Util; }
    int16_t Current() const { return D_.Util.Current_Slot; }
    // A damaged data file can leave Current_Slot on a free node: then nothing is selected.
    bool Has_Selection() const { return Is_Chained(D_.List, D_.Util.Current_Slot); }
    // Throws std::out_of_range for an index outside the nodes.
    const Slot_Record& Slot(int Idx) const { return Node(D_.List, Idx).Data; }
    const Slot_Record& Selected() const { return Slot(D_.Util.Current_Slot); }

    // Files one clipboard text as capture does (Add_To_Clipboard); true when the slots changed.
    bool File_Copy(std::string Text, const Text_Codec& Case_Rules, Trace* Log,
                   const Copy_Source& Source);
    // Any node may be selected; an index outside them is refused.
    void Select(int16_t Slot);
    void Set_Lock(int16_t Slot, bool Locked);
    // Appends a blank slot when every slot is locked; true when the rows may have changed.
    bool Keep_Unlocked();
    bool Move(int16_t From, int16_t To_Where);
    // The new node, or No_Free_Slot when the list is full.
    int16_t Add(const Slot_Record& Rec, int16_t Where);
    int16_t Duplicate(int16_t Slot);
    void Clear(int16_t Slot);
    // Clears every unlocked slot of the list filled before Cutoff (seconds since 1970 UTC), as
    // Clear does; returns how many.
    int Expire(int64_t Cutoff);
    bool Delete(int16_t Slot);
    void Edit(int16_t Slot, std::string Text, std::string Description);
    // Takes every setting but the selection and the window's place, which have their own.
    void Change_Settings(const Settings& U);
    void Remember_Place(const Window_Placement& Place);
    // Everything at once, as loaded at start; an empty list gets one blank slot.
    void Replace(Stored_Data Data);

  private:
    void Tell(const Change& What);

    Stored_Data D_;
    const std::vector<Store_Observer*> Observers_;
};
