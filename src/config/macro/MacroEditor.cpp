#include "config/macro/MacroEditor.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "common/settings/SettingsStore.h"

namespace k2q::config {
namespace {

tagMACROINFO ZeroRecord() {
    tagMACROINFO record;
    std::memset(&record, 0, sizeof record);
    return record;
}

std::u16string Ascii(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

int LastIndex(const std::vector<EventItem>& items) {
    return static_cast<int>(items.size()) - 1;
}

}  // namespace

std::u16string PauseText(std::int32_t ms) {
    return Ascii(std::to_string(ms) + " ms");
}

std::vector<EventItem> EventItemsOf(const tagMACROINFO& macro, const KeyNamer& keyName) {
    std::vector<EventItem> items;
    const auto events = MacroEvents(macro);
    for (std::size_t i = 0; i < events.size(); ++i) {
        const MacroEvent& e = events[i];
        std::u16string name = keyName(e.code);
        // A name is a C string on screen: a key that types nothing names itself with a zero.
        name.resize(std::min(name.size(), name.find(u'\0')));
        if (name.empty()) {
            continue;
        }
        const int event = static_cast<int>(i);
        items.push_back({e.transition == 0 ? ItemKind::Press : ItemKind::Release, name, event});
        if (e.delay != 0) {
            items.push_back({ItemKind::Pause, PauseText(e.delay), event});
        }
    }
    return items;
}

KeyNotification PictureNotification(MousePicture picture, bool press) {
    std::uint32_t code = kCodeLeftButton;
    if (picture == MousePicture::Middle) {
        code = kCodeMiddleButton;
    } else if (picture == MousePicture::Right) {
        code = kCodeRightButton;
    }
    return {code, press ? 0u : kReleaseFlag};
}

int FieldNumber(std::u16string_view text) {
    long long n = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            break;
        }
        n = std::min<long long>(n * 10 + (c - u'0'), INT_MAX);
    }
    return static_cast<int>(n);
}

MacroEditor::MacroEditor(const MacroSetting& block, const ButtonSetting& buttons, int editedButton,
                         int initialMacro, std::u16string_view newMacroName, KeyNamer keyName,
                         KeyDelivery& delivery)
    : list_(LoadMacroList(block)),
      buttons_(buttons),
      editedButton_(editedButton),
      newMacroName_(newMacroName),
      keyName_(std::move(keyName)),
      delivery_(delivery),
      loopField_(u"1") {
    DelayFieldChanged(u"100");
    if (initialMacro >= 0 && initialMacro < static_cast<int>(list_.size())) {
        selected_ = initialMacro;
        ShowEvents();
    }
}

std::vector<std::u16string> MacroEditor::MacroNames() const {
    std::vector<std::u16string> names;
    names.reserve(list_.size());
    for (const tagMACROINFO& macro : list_) {
        names.emplace_back(MacroName(macro));
    }
    return names;
}

tagMACROINFO* MacroEditor::Selected() {
    if (selected_ < 0 || selected_ >= static_cast<int>(list_.size())) {
        return nullptr;
    }
    return &list_[selected_];
}

void MacroEditor::ShowEvents() {
    tagMACROINFO* macro = Selected();
    if (!macro) {
        return;
    }
    items_ = EventItemsOf(*macro, keyName_);
    selectedItem_ = LastIndex(items_);
    loopSwitch_ = macro->loopEnabled != 0;
    loopBox_ = false;
    // Counts below 2 (a damaged negative one too) show as one pass, and showing stores it.
    SetLoopField(macro->loopCount < 2 ? u"1" : Ascii(std::to_string(macro->loopCount)));
    delaySwitch_ = false;
    delayBox_ = false;
}

void MacroEditor::SetLoopField(std::u16string text) {
    loopField_ = std::move(text);
    if (tagMACROINFO* macro = Selected()) {
        macro->loopCount = FieldNumber(loopField_);
    }
}

void MacroEditor::ShowNoMacro() {
    items_.clear();
    selectedItem_ = -1;
    loopBox_ = false;
    delayBox_ = false;
    loopField_ = u"1";
}

void MacroEditor::ToggleRecording() {
    if (recording_) {
        StopRecording();
        return;
    }
    tagMACROINFO* macro = Selected();
    if (!macro || !delivery_.CanDeliver()) {
        return;
    }
    recording_ = true;
    delivery_.SetDelivery(true);
    const std::u16string name(MacroName(*macro));
    *macro = ZeroRecord();
    SetMacroName(*macro, name);
    items_.clear();
    selectedItem_ = -1;
    // A new recording starts afresh: its first key is never taken for a repeat of the last
    // key of the one before.
    hasLastNotification_ = false;
}

void MacroEditor::StopRecording() {
    if (!delivery_.CanDeliver()) {
        return;
    }
    recording_ = false;
    delivery_.SetDelivery(false);
    delayBox_ = false;
    delaySwitch_ = false;
}

bool MacroEditor::OnKeyNotification(std::uint32_t code, std::uint32_t flags, std::uint32_t nowMs) {
    const bool repeat =
        hasLastNotification_ && code == lastNotification_.code && flags == lastNotification_.flags;
    if (repeat || !recording_) {
        return false;
    }
    tagMACROINFO* macro = Selected();
    if (!macro || code > 0xFF) {
        return false;
    }
    tagMACROINFO copy = *macro;
    copy.recordDelay = delaySwitch_ ? 1 : 0;
    copy.loopEnabled = loopSwitch_ ? 1 : 0;
    // A looping macro keeps the count its field shows, so that it does not stop playing.
    copy.loopCount = loopSwitch_ ? std::max(1, FieldNumber(loopField_)) : 0;
    if (copy.eventCount >= kMacroEventsRecordable) {
        return false;
    }
    if (delaySwitch_ && hasLastEvent_ && copy.eventCount > 0) {
        const std::uint32_t pause = nowMs - lastEventMs_;  // wraps with the tick count
        if (pause >= 1) {
            copy.events[copy.eventCount - 1].delay =
                static_cast<std::int32_t>(std::min<std::uint32_t>(pause, INT32_MAX));
        }
    }
    const bool release = (flags & kReleaseFlag) != 0;
    copy.events[copy.eventCount] = {static_cast<std::uint8_t>(code),
                                    release ? std::uint8_t{1} : std::uint8_t{0}, 0, 0};
    ++copy.eventCount;
    *macro = copy;
    items_ = EventItemsOf(*macro, keyName_);
    selectedItem_ = LastIndex(items_);
    hasLastEvent_ = true;
    lastEventMs_ = nowMs;
    hasLastNotification_ = true;
    lastNotification_ = {code, flags};
    return true;
}

void MacroEditor::ClickDelayBox() {
    if (recording_) {
        delayBox_ = !delayBox_;
        delaySwitch_ = delayBox_;
        // The first pause is measured from the next event on.
        hasLastEvent_ = false;
    } else if (delayBox_) {
        delayBox_ = false;
        delaySwitch_ = false;
    }
}

void MacroEditor::ClickLoopBox() {
    loopBox_ = !loopBox_;
    loopSwitch_ = loopBox_;
    if (tagMACROINFO* macro = Selected()) {
        macro->loopEnabled = loopBox_ ? 1 : 0;
        const int n = FieldNumber(loopField_);
        macro->loopCount = n >= 1 && n <= 99 ? n : 1;
    }
}

void MacroEditor::LoopFieldChanged(std::u16string_view text) {
    SetLoopField(std::u16string(text));
}

void MacroEditor::DelayFieldChanged(std::u16string_view text) {
    delayField_ = text;
    delayValue_ = FieldNumber(text);
}

void MacroEditor::FieldFocusChanged(bool gained) {
    if (recording_) {
        delivery_.SetDelivery(!gained);
    }
}

void MacroEditor::ModifyDelay(int selectedItem) {
    StopRecording();
    tagMACROINFO* macro = Selected();
    if (!macro || selectedItem < 0 || selectedItem >= static_cast<int>(items_.size()) ||
        items_[selectedItem].kind != ItemKind::Pause) {
        return;
    }
    macro->events[items_[selectedItem].event].delay = delayValue_ > 0 ? delayValue_ : 1;
    ShowEvents();
    selectedItem_ = std::min(selectedItem, LastIndex(items_));
}

bool MacroEditor::NewMacro() {
    StopRecording();
    if (list_.size() >= static_cast<std::size_t>(kMacroCapacity)) {
        return false;
    }
    items_.clear();
    selectedItem_ = -1;
    delayBox_ = false;
    loopBox_ = false;
    delaySwitch_ = false;
    loopSwitch_ = false;
    tagMACROINFO macro = ZeroRecord();
    SetMacroName(macro, newMacroName_);
    list_.push_back(macro);
    selected_ = static_cast<int>(list_.size()) - 1;
    // The field shows one pass; the new record stays all zero but for its name.
    loopField_ = u"1";
    return true;
}

DeleteOutcome MacroEditor::DeleteSelected() {
    StopRecording();
    if (!Selected()) {
        return DeleteOutcome::NothingSelected;
    }
    if (DeleteMacro(list_, buttons_, editedButton_, selected_) != DeleteMacroResult::Deleted) {
        return DeleteOutcome::RefusedInUse;
    }
    deletedMacros_.push_back(selected_);
    ShowNoMacro();
    selected_ = std::min(selected_, static_cast<int>(list_.size()) - 1);
    ShowEvents();
    return DeleteOutcome::Deleted;
}

void MacroEditor::Rename(int index, std::u16string_view text) {
    StopRecording();
    if (index < 0 || index >= static_cast<int>(list_.size())) {
        return;
    }
    delaySwitch_ = false;
    delayBox_ = false;
    loopBox_ = false;
    SetMacroName(list_[index], text.empty() ? std::u16string_view(newMacroName_) : text);
    // The list selects the renamed entry; the editor follows it.
    selected_ = index;
    ShowEvents();
}

void MacroEditor::SelectMacro(int index) {
    StopRecording();
    selected_ = index >= 0 && index < static_cast<int>(list_.size()) ? index : -1;
    ShowEvents();
}

int MacroEditor::Confirm(MacroSetting& block, ButtonSetting& buttons, Registry& store) {
    StopRecording();
    BuildMacroBlock(list_, block);
    // Deleting renumbered the working copy; only those indices change in the program's block.
    for (int i = 0; i < kRecordCount; ++i) {
        buttons.records[i].macroIndex = buttons_.records[i].macroIndex;
    }
    // The stored macros move down now, but the program's buttons reach the store only with the
    // main dialog's Apply or OK: the stored buttons must follow their macros at once, or a Cancel
    // there would leave them naming the macros that took the deleted ones' places.
    if (WriteMacroValue(store, block) && !deletedMacros_.empty()) {
        RewriteButtonValue(store, [this](ButtonSetting& stored) {
            for (const int index : deletedMacros_) {
                ShiftMacroIndexesPast(stored, index);
            }
        });
    }
    return selected_;
}

}  // namespace k2q::config
