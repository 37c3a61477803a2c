// The macro editor's decisions, apart from its windows: the working list of macros, the
// recording machine fed by key notifications and the mouse pictures, the delay and loop
// switches with their fields, the event list as the user sees it, and what OK writes. The
// dialog shows this state and forwards every user action here; nothing reaches the program's
// blocks or the store before Confirm.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/Registry.h"
#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroList.h"
#include "common/settings/MacroSetting.h"

namespace k2q::config {

// Item kinds of the event list (the list control's item data).
enum class ItemKind : int { Plain = 0, Indented = 1, Release = 2, Press = 3, Pause = 4 };

struct EventItem {
    ItemKind kind;
    std::u16string text;
    int event;  // the event the item shows; for a pause, the event whose delay it is
    friend bool operator==(const EventItem&, const EventItem&) = default;
};

// The display name of an input code in the event list; empty for a code that is not shown.
using KeyNamer = std::function<std::u16string(std::uint8_t code)>;

// The text of a pause item: "300 ms".
std::u16string PauseText(std::int32_t ms);

// The event list of a record: each named event as a press or release item, followed by a pause
// item when it has a delay. Events without a name stay in the record but are not shown.
std::vector<EventItem> EventItemsOf(const tagMACROINFO& macro, const KeyNamer& keyName);

// Key notifications: wParam the code, lParam the flags, a release when this bit is set.
inline constexpr std::uint32_t kReleaseFlag = 0x80;

// The three pictured mouse buttons and the notification each press or release becomes.
enum class MousePicture { Left, Middle, Right };
struct KeyNotification {
    std::uint32_t code;
    std::uint32_t flags;
};
KeyNotification PictureNotification(MousePicture picture, bool press);

// The number a digits-only field holds: its leading digits, 0 for none, held to int range.
int FieldNumber(std::u16string_view text);

// Switches delivery of key notifications by the keyboard-hook component; CanDeliver is false
// when the component or its switch is missing, and then recording cannot start.
class KeyDelivery {
  public:
    virtual ~KeyDelivery() = default;
    virtual bool CanDeliver() const = 0;
    virtual void SetDelivery(bool on) = 0;
};

enum class DeleteOutcome { Deleted, RefusedInUse, NothingSelected };

class MacroEditor {
  public:
    // Opens on copies of the program's blocks. editedButton is the record whose button is being
    // given a macro (it may keep pointing at a deleted macro); initialMacro is selected when it
    // names a macro. newMacroName names new macros and emptied names, cut to fit the record.
    MacroEditor(const MacroSetting& block, const ButtonSetting& buttons, int editedButton,
                int initialMacro, std::u16string_view newMacroName, KeyNamer keyName,
                KeyDelivery& delivery);

    // What the dialog shows.
    const MacroList& macros() const { return list_; }
    std::vector<std::u16string> MacroNames() const;
    int selectedMacro() const { return selected_; }
    const std::vector<EventItem>& items() const { return items_; }
    int selectedItem() const { return selectedItem_; }
    bool recording() const { return recording_; }
    bool delayBoxChecked() const { return delayBox_; }
    bool loopBoxChecked() const { return loopBox_; }
    bool delaySwitch() const { return delaySwitch_; }
    bool loopSwitch() const { return loopSwitch_; }
    const std::u16string& loopFieldText() const { return loopField_; }
    bool loopFieldEnabled() const { return loopBox_; }
    const std::u16string& delayFieldText() const { return delayField_; }
    int delayValue() const { return delayValue_; }
    const ButtonSetting& buttons() const { return buttons_; }

    // The record button.
    void ToggleRecording();
    void StopRecording();
    // A key notification (or a mouse picture's) at a tick count in ms; true when recorded.
    bool OnKeyNotification(std::uint32_t code, std::uint32_t flags, std::uint32_t nowMs);

    void ClickDelayBox();
    void ClickLoopBox();
    void LoopFieldChanged(std::u16string_view text);
    void DelayFieldChanged(std::u16string_view text);
    // A number field gained or lost the keyboard focus: typing into it is never recorded.
    void FieldFocusChanged(bool gained);

    // Sets the delay of the event a selected pause item belongs to; other items do nothing.
    void ModifyDelay(int selectedItem);
    // False when the list is full.
    bool NewMacro();
    DeleteOutcome DeleteSelected();
    // A committed in-place edit of the name at index.
    void Rename(int index, std::u16string_view text);
    // The user selected another entry of the macro list (-1 for none).
    void SelectMacro(int index);

    // OK: rebuilds the program's macro block from the list, writes it to the store, carries the
    // deletions' renumbering into the program's button block and the stored one; returns the
    // selected macro.
    int Confirm(MacroSetting& block, ButtonSetting& buttons, Registry& store);
    // Cancel or close: the working copies are dropped with the editor.
    void Cancel() { StopRecording(); }

  private:
    tagMACROINFO* Selected();
    void ShowEvents();
    void SetLoopField(std::u16string text);
    void ShowNoMacro();

    MacroList list_;
    ButtonSetting buttons_;
    // The positions deleted, in order, for the stored buttons at OK.
    std::vector<int> deletedMacros_;
    int editedButton_;
    std::u16string newMacroName_;
    KeyNamer keyName_;
    KeyDelivery& delivery_;

    int selected_ = -1;
    std::vector<EventItem> items_;
    int selectedItem_ = -1;

    bool recording_ = false;
    bool delayBox_ = false;
    bool loopBox_ = false;
    bool delaySwitch_ = false;
    bool loopSwitch_ = false;
    bool hasLastEvent_ = false;
    std::uint32_t lastEventMs_ = 0;
    bool hasLastNotification_ = false;
    KeyNotification lastNotification_{};

    std::u16string loopField_;
    std::u16string delayField_;
    int delayValue_ = 1;
};

}  // namespace k2q::config
