// The macro editor's decisions: recording, the event list, the delay and loop rules, new,
// delete, rename, modify delay, and what OK and Cancel leave in the blocks and the store.
#include "config/macro/MacroEditor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/settings/SettingsStore.h"
#include "support/Bytes.h"
#include "support/FakeRegistry.h"

namespace k2q::config {
namespace {

using testing::BytesOf;
using testing::FakeRegistry;

constexpr std::uint32_t kPress = 0;
constexpr std::uint32_t kRelease = kReleaseFlag;
constexpr std::uint8_t kNamelessKey = 0x7C;  // a key that types nothing

// Letters and digits name themselves, the mouse buttons have their names, 0 and 0xFF are not
// shown, and a key that types nothing names itself with a zero unit.
std::u16string FakeKeyName(std::uint8_t code) {
    switch (code) {
        case 0x00:
        case 0xFF:
            return u"";
        case kCodeLeftButton:
            return u"LButton";
        case kCodeRightButton:
            return u"RButton";
        case kCodeMiddleButton:
            return u"MButton";
        case kNamelessKey:
            return std::u16string(1, u'\0');
        default:
            return std::u16string(1, static_cast<char16_t>(code));
    }
}

class FakeDelivery : public KeyDelivery {
  public:
    bool present = true;
    std::vector<bool> calls;
    bool CanDeliver() const override { return present; }
    void SetDelivery(bool on) override { calls.push_back(on); }
};

EventItem Press(char16_t key, int event) {
    return {ItemKind::Press, {key}, event};
}
EventItem Release(char16_t key, int event) {
    return {ItemKind::Release, {key}, event};
}
EventItem Pause(const char16_t* text, int event) {
    return {ItemKind::Pause, text, event};
}

class MacroEditorTest : public ::testing::Test {
  protected:
    MacroEditorTest() {
        std::memset(block.get(), 0, sizeof *block);
        SetButtonDefaults(buttons);
    }

    tagMACROINFO& AddMacro(std::u16string_view name,
                           std::initializer_list<MacroEvent> events = {}) {
        tagMACROINFO& m = block->macros[block->count++];
        SetMacroName(m, name);
        for (const MacroEvent& e : events) {
            m.events[m.eventCount++] = e;
        }
        return m;
    }

    void UseMacro(int record, int macro) {
        buttons.records[record].function = kFnMacro;
        buttons.records[record].macroIndex = static_cast<std::uint8_t>(macro);
    }

    MacroEditor& Open(int initial = -1, int edited = kFirstSideButton) {
        editor = std::make_unique<MacroEditor>(*block, buttons, edited, initial, u"New Macro",
                                               FakeKeyName, delivery);
        return *editor;
    }

    // Starts a recording of macro `index` and feeds notifications (code, flags, time).
    struct Note {
        std::uint32_t code, flags, ms;
    };
    MacroEditor& Record(int index, std::initializer_list<Note> notes) {
        MacroEditor& e = Open(index);
        e.ToggleRecording();
        for (const Note& n : notes) {
            e.OnKeyNotification(n.code, n.flags, n.ms);
        }
        return e;
    }

    const tagMACROINFO& Current() const { return editor->macros()[editor->selectedMacro()]; }

    std::unique_ptr<MacroSetting> block = std::make_unique<MacroSetting>();
    ButtonSetting buttons;
    FakeDelivery delivery;
    std::unique_ptr<MacroEditor> editor;
};

TEST(MacroEventItems, NamedEventsShowWithTheirPausesAndNamelessOnesStayHidden) {
    tagMACROINFO m;
    std::memset(&m, 0, sizeof m);
    const MacroEvent events[] = {{'A', 0, 0, 300}, {'A', 1, 0, 0},          {0x00, 0, 0, 40},
                                 {0xC2, 5, 0, -7}, {kNamelessKey, 0, 0, 9}, {'B', 0, 0, 0}};
    for (const MacroEvent& e : events) {
        m.events[m.eventCount++] = e;
    }
    const std::vector<EventItem> expected = {
        Press(u'A', 0),     Pause(u"300 ms", 0),
        Release(u'A', 1),   {ItemKind::Release, u"RButton", 3},
        Pause(u"-7 ms", 3),  // every non-zero transition is a release; a damaged delay shows
        Press(u'B', 5)};
    EXPECT_EQ(EventItemsOf(m, FakeKeyName), expected);

    m.eventCount = 0xFFFF;  // damaged: never beyond the record's 200 events
    EXPECT_LE(EventItemsOf(m, FakeKeyName).size(), 400u);
}

TEST(MacroEditorNotifications, MousePicturesAndFieldsBecomeCodesAndNumbers) {
    const struct {
        MousePicture picture;
        bool press;
        std::uint32_t code, flags;
    } pictures[] = {
        {MousePicture::Left, true, 0xC1, 0},   {MousePicture::Left, false, 0xC1, 0x80},
        {MousePicture::Right, true, 0xC2, 0},  {MousePicture::Right, false, 0xC2, 0x80},
        {MousePicture::Middle, true, 0xC3, 0}, {MousePicture::Middle, false, 0xC3, 0x80}};
    for (const auto& c : pictures) {
        const KeyNotification n = PictureNotification(c.picture, c.press);
        EXPECT_EQ(n.code, c.code);
        EXPECT_EQ(n.flags, c.flags);
    }
    const struct {
        const char16_t* text;
        int number;
    } fields[] = {{u"", 0},
                  {u"0", 0},
                  {u"12", 12},
                  {u"0250", 250},
                  {u"7x9", 7},
                  {u"x", 0},
                  {u"99999999999999", INT_MAX}};
    for (const auto& c : fields) {
        EXPECT_EQ(FieldNumber(c.text), c.number) << std::string(c.text, c.text + 1);
    }
}

TEST_F(MacroEditorTest, OpeningLoadsTheMacrosInUseAndSelectsTheButtonsMacro) {
    AddMacro(u"one", {{'A', 0, 0, 0}, {'A', 1, 0, 0}});
    AddMacro(u"two");
    AddMacro(u"three");
    const struct {
        int initial;
        int selected;
        std::size_t items;
    } cases[] = {{0, 0, 2}, {2, 2, 0}, {-1, -1, 0}, {3, -1, 0}, {200, -1, 0}};
    for (const auto& c : cases) {
        MacroEditor& e = Open(c.initial);
        EXPECT_EQ(e.MacroNames(), (std::vector<std::u16string>{u"one", u"two", u"three"}));
        EXPECT_EQ(e.selectedMacro(), c.selected) << c.initial;
        EXPECT_EQ(e.items().size(), c.items) << c.initial;
        EXPECT_EQ(e.loopFieldText(), u"1");
        EXPECT_FALSE(e.loopFieldEnabled());
        EXPECT_EQ(e.delayValue(), 100);
        EXPECT_FALSE(e.recording());
    }
}

TEST_F(MacroEditorTest, ADamagedBlockOpensWithinItsRecords) {
    AddMacro(u"x");
    std::memset(block->macros[0].name, 'n', sizeof block->macros[0].name);  // no terminator
    block->macros[0].eventCount = 0xFFFF;
    block->macros[0].loopCount = -5;
    for (std::int32_t count : {150, 100000, -3, 0}) {
        block->count = count;
        MacroEditor& e = Open(0);
        const std::size_t expected = count > 0 ? 100 : 0;
        ASSERT_EQ(e.macros().size(), expected) << count;
        if (expected > 0) {
            EXPECT_EQ(e.MacroNames()[0].size(), 259u);
            EXPECT_EQ(e.macros()[0].eventCount, 200);
            EXPECT_EQ(e.loopFieldText(), u"1");  // a negative count shows and stores one pass
            EXPECT_EQ(e.macros()[0].loopCount, 1);
        }
    }
}

TEST_F(MacroEditorTest, RecordingTurnsNotificationsIntoEventsAndItems) {
    AddMacro(u"m");
    const struct {
        const char* name;
        bool delayBox;  // checked right after the recording starts
        std::vector<Note> notes;
        std::vector<MacroEvent> events;
        std::vector<EventItem> items;
    } cases[] = {
        {"press and release, no delay",
         false,
         {{'A', kPress, 1000}, {'A', kRelease, 1300}},
         {{'A', 0, 0, 0}, {'A', 1, 0, 0}},
         {Press(u'A', 0), Release(u'A', 1)}},
        {"press and release 300 ms apart with the delay box",
         true,
         {{'A', kPress, 1000}, {'A', kRelease, 1300}},
         {{'A', 0, 0, 300}, {'A', 1, 0, 0}},
         {Press(u'A', 0), Pause(u"300 ms", 0), Release(u'A', 1)}},
        {"a held key repeats: one press, one release",
         false,
         {{'A', kPress, 0}, {'A', kPress, 30}, {'A', kPress, 60}, {'A', kRelease, 90}},
         {{'A', 0, 0, 0}, {'A', 1, 0, 0}},
         {Press(u'A', 0), Release(u'A', 1)}},
        {"no pause item within the same tick",
         true,
         {{'A', kPress, 50}, {'B', kPress, 50}},
         {{'A', 0, 0, 0}, {'B', 0, 0, 0}},
         {Press(u'A', 0), Press(u'B', 1)}},
        {"the tick count wraps between two events",
         true,
         {{'A', kPress, 0xFFFFFF00u}, {'A', kRelease, 0x10}},
         {{'A', 0, 0, 0x110}, {'A', 1, 0, 0}},
         {Press(u'A', 0), Pause(u"272 ms", 0), Release(u'A', 1)}},
        {"a click on the left mouse picture",
         false,
         {{0xC1, kPress, 0}, {0xC1, kRelease, 80}},
         {{0xC1, 0, 0, 0}, {0xC1, 1, 0, 0}},
         {{ItemKind::Press, u"LButton", 0}, {ItemKind::Release, u"LButton", 1}}},
        {"codes beyond a byte are not keys",
         false,
         {{0x141, kPress, 0}, {'B', kPress, 5}},
         {{'B', 0, 0, 0}},
         {Press(u'B', 0)}},
        {"a key that types nothing is kept but not shown",
         false,
         {{kNamelessKey, kPress, 0}, {'B', kPress, 5}},
         {{kNamelessKey, 0, 0, 0}, {'B', 0, 0, 0}},
         {Press(u'B', 1)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MacroEditor& e = Open(0);
        e.ToggleRecording();
        ASSERT_TRUE(e.recording());
        if (c.delayBox) {
            e.ClickDelayBox();
        }
        for (const Note& n : c.notes) {
            e.OnKeyNotification(n.code, n.flags, n.ms);
        }
        const tagMACROINFO& m = Current();
        ASSERT_EQ(m.eventCount, c.events.size());
        for (std::size_t i = 0; i < c.events.size(); ++i) {
            EXPECT_EQ(BytesOf(m.events[i]), BytesOf(c.events[i])) << i;
        }
        EXPECT_EQ(m.recordDelay, c.delayBox ? 1 : 0);
        EXPECT_EQ(e.items(), c.items);
        EXPECT_EQ(e.selectedItem(), static_cast<int>(c.items.size()) - 1);
    }
}

TEST_F(MacroEditorTest, ThePauseIsMeasuredFromTheFirstEventAfterTheDelayBoxIsChecked) {
    AddMacro(u"m");
    MacroEditor& e = Record(0, {{'A', kPress, 0}});
    e.ClickDelayBox();  // at 500
    e.OnKeyNotification('A', kRelease, 800);
    e.OnKeyNotification('B', kPress, 1000);
    e.ClickDelayBox();  // off: no more pauses
    e.OnKeyNotification('B', kRelease, 4000);
    const tagMACROINFO& m = Current();
    ASSERT_EQ(m.eventCount, 4);
    EXPECT_EQ(m.events[0].delay, 0);
    EXPECT_EQ(m.events[1].delay, 200);
    EXPECT_EQ(m.events[2].delay, 0);
    EXPECT_EQ(m.recordDelay, 0);  // the box was off for the last event
}

TEST_F(MacroEditorTest, ARecordingHoldsAtMost199EventsAndStartsFromANamedEmptyRecord) {
    tagMACROINFO& old = AddMacro(u"kept name", {{'Z', 0, 0, 5}});
    old.loopEnabled = 1;
    old.loopCount = 7;
    old.recordDelay = 1;
    MacroEditor& e = Open(0);
    e.ToggleRecording();
    EXPECT_EQ(delivery.calls, std::vector<bool>{true});
    EXPECT_TRUE(e.items().empty());
    tagMACROINFO expected;
    std::memset(&expected, 0, sizeof expected);
    SetMacroName(expected, u"kept name");
    EXPECT_EQ(BytesOf(Current()), BytesOf(expected));

    for (std::uint32_t i = 0; i < 250; ++i) {
        e.OnKeyNotification('A' + i % 20, i % 2 ? kRelease : kPress, i);
    }
    EXPECT_EQ(Current().eventCount, 199);
    EXPECT_EQ(Current().events[198].code, 'A' + 198 % 20);
    EXPECT_EQ(e.items().size(), 199u);
}

TEST_F(MacroEditorTest, RecordingNeedsASelectedMacroAndTheHooksSwitch) {
    AddMacro(u"m");
    Open(-1).ToggleRecording();
    EXPECT_FALSE(editor->recording());
    EXPECT_FALSE(editor->OnKeyNotification('A', kPress, 0));
    EXPECT_TRUE(delivery.calls.empty());

    delivery.present = false;
    MacroEditor& e = Open(0);
    e.ToggleRecording();
    EXPECT_FALSE(e.recording());
    EXPECT_FALSE(e.OnKeyNotification('A', kPress, 0));
    EXPECT_EQ(Current().eventCount, 0);
    e.NewMacro();  // everything else still works
    EXPECT_EQ(e.macros().size(), 2u);
    EXPECT_TRUE(delivery.calls.empty());
}

TEST_F(MacroEditorTest, EveryCommandButTheTwoBoxesStopsARecording) {
    AddMacro(u"a");
    AddMacro(u"b");
    const struct {
        const char* name;
        void (*command)(MacroEditor&);
        bool stops;
    } cases[] = {
        {"record button", [](MacroEditor& e) { e.ToggleRecording(); }, true},
        {"new macro", [](MacroEditor& e) { e.NewMacro(); }, true},
        {"delete macro", [](MacroEditor& e) { e.DeleteSelected(); }, true},
        {"modify delay", [](MacroEditor& e) { e.ModifyDelay(0); }, true},
        {"rename", [](MacroEditor& e) { e.Rename(0, u"r"); }, true},
        {"select", [](MacroEditor& e) { e.SelectMacro(1); }, true},
        {"cancel", [](MacroEditor& e) { e.Cancel(); }, true},
        {"delay box", [](MacroEditor& e) { e.ClickDelayBox(); }, false},
        {"loop box", [](MacroEditor& e) { e.ClickLoopBox(); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        delivery.calls.clear();
        MacroEditor& e = Record(0, {{'A', kPress, 0}});
        c.command(e);
        EXPECT_EQ(e.recording(), !c.stops);
        if (c.stops) {
            EXPECT_EQ(delivery.calls, (std::vector<bool>{true, false}));
            EXPECT_FALSE(e.delayBoxChecked());
            EXPECT_FALSE(e.OnKeyNotification('B', kPress, 10));
        }
    }
}

TEST_F(MacroEditorTest, AFieldWithTheFocusSwitchesDeliveryOffOnlyWhileRecording) {
    AddMacro(u"m");
    MacroEditor& e = Open(0);
    e.FieldFocusChanged(true);
    e.FieldFocusChanged(false);
    EXPECT_TRUE(delivery.calls.empty());
    e.ToggleRecording();
    e.FieldFocusChanged(true);
    e.DelayFieldChanged(u"250");
    e.FieldFocusChanged(false);
    EXPECT_EQ(delivery.calls, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(e.delayValue(), 250);
    EXPECT_EQ(Current().eventCount, 0);
}

TEST_F(MacroEditorTest, TheDelayBoxIsCheckedOnlyWhileRecordingButCanAlwaysBeCleared) {
    AddMacro(u"m");
    MacroEditor& e = Open(0);
    e.ClickDelayBox();
    EXPECT_FALSE(e.delayBoxChecked());
    e.ToggleRecording();
    e.ClickDelayBox();
    EXPECT_TRUE(e.delayBoxChecked());
    EXPECT_TRUE(e.delaySwitch());
    e.ClickDelayBox();
    EXPECT_FALSE(e.delaySwitch());
    e.ClickDelayBox();
    e.ToggleRecording();  // stopping clears it
    EXPECT_FALSE(e.delayBoxChecked());
    EXPECT_FALSE(e.delaySwitch());
}

TEST_F(MacroEditorTest, TheLoopBoxStoresTheFieldsCountHeldToOneTo99) {
    AddMacro(u"m");
    const struct {
        const char16_t* field;
        int count;
    } cases[] = {{u"250", 1}, {u"12", 12}, {u"99", 99}, {u"100", 1}, {u"0", 1}, {u"", 1}};
    for (const auto& c : cases) {
        MacroEditor& e = Open(0);
        e.LoopFieldChanged(c.field);
        e.ClickLoopBox();
        EXPECT_TRUE(e.loopBoxChecked());
        EXPECT_TRUE(e.loopFieldEnabled());
        EXPECT_EQ(Current().loopEnabled, 1);
        EXPECT_EQ(Current().loopCount, c.count) << std::u16string(c.field).size();
        e.ClickLoopBox();
        EXPECT_FALSE(e.loopFieldEnabled());
        EXPECT_EQ(Current().loopEnabled, 0);
    }
}

TEST_F(MacroEditorTest, TheLoopFieldStoresWhatItHoldsAndShowsTheRecordsCount) {
    const struct {
        std::int32_t stored;
        const char16_t* shown;
        std::int32_t after;
    } cases[] = {{0, u"1", 1}, {1, u"1", 1}, {5, u"5", 5}, {250, u"250", 250}, {-3, u"1", 1}};
    for (const auto& c : cases) {
        block->count = 0;
        AddMacro(u"m").loopCount = c.stored;
        AddMacro(u"n");
        MacroEditor& e = Open(1);
        e.SelectMacro(0);
        EXPECT_EQ(e.loopFieldText(), c.shown);
        EXPECT_FALSE(e.loopFieldEnabled());
        EXPECT_EQ(Current().loopCount, c.after);
    }
    MacroEditor& e = Open(0);
    e.LoopFieldChanged(u"37");
    EXPECT_EQ(Current().loopCount, 37);
    Open(-1).LoopFieldChanged(u"37");  // no macro: nothing to store into
    EXPECT_EQ(editor->macros()[0].loopCount, block->macros[0].loopCount);
}

TEST_F(MacroEditorTest, ARecordingWhileLoopingKeepsTheCountTheFieldShows) {
    AddMacro(u"m");
    MacroEditor& e = Open(0);
    e.LoopFieldChanged(u"12");
    e.ClickLoopBox();
    e.ToggleRecording();
    e.OnKeyNotification('A', kPress, 0);
    EXPECT_EQ(Current().loopEnabled, 1);
    EXPECT_EQ(Current().loopCount, 12);

    // A looping macro shown again keeps its loop through the next recording.
    e.SelectMacro(0);
    EXPECT_FALSE(e.loopBoxChecked());
    e.ToggleRecording();
    e.OnKeyNotification('B', kPress, 0);
    EXPECT_EQ(Current().loopEnabled, 1);
    EXPECT_EQ(Current().loopCount, 12);
}

TEST_F(MacroEditorTest, ModifyDelaySetsThePausesOwnEventAndKeepsTheSelection) {
    AddMacro(u"m", {{'A', 0, 0, 40}, {kNamelessKey, 0, 0, 0}, {'B', 0, 0, 70}, {'B', 1, 0, 0}});
    MacroEditor& e = Open(0);
    ASSERT_EQ(e.items(), (std::vector<EventItem>{Press(u'A', 0), Pause(u"40 ms", 0), Press(u'B', 2),
                                                 Pause(u"70 ms", 2), Release(u'B', 3)}));
    const struct {
        const char16_t* field;
        int item;
        std::int32_t delays[4];
    } cases[] = {
        {u"500", 3, {40, 0, 500, 0}},  // the hidden event does not shift the owner
        {u"0", 1, {1, 0, 70, 0}},      // a zero delay value stores 1
        {u"500", 2, {40, 0, 70, 0}},   // a key item: nothing
        {u"500", -1, {40, 0, 70, 0}}, {u"500", 9, {40, 0, 70, 0}},
    };
    for (const auto& c : cases) {
        MacroEditor& ed = Open(0);
        ed.DelayFieldChanged(c.field);
        ed.ModifyDelay(c.item);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Current().events[i].delay, c.delays[i]) << c.item << "/" << i;
        }
        if (c.item == 3 || c.item == 1) {
            EXPECT_EQ(ed.selectedItem(), c.item);
            EXPECT_EQ(ed.items()[c.item].text, PauseText(c.delays[c.item == 3 ? 2 : 0]));
        }
    }
}

TEST_F(MacroEditorTest, NewMacroIsAddedUpToAHundred) {
    for (int i = 0; i < 99; ++i) {
        AddMacro(u"m").loopCount = 9;
    }
    MacroEditor& e = Open(98);
    e.ClickLoopBox();
    ASSERT_TRUE(e.NewMacro());
    ASSERT_EQ(e.macros().size(), 100u);
    EXPECT_EQ(e.selectedMacro(), 99);
    EXPECT_EQ(e.MacroNames().back(), u"New Macro");
    tagMACROINFO expected;
    std::memset(&expected, 0, sizeof expected);
    SetMacroName(expected, u"New Macro");
    EXPECT_EQ(BytesOf(e.macros()[99]), BytesOf(expected));
    EXPECT_EQ(e.macros()[98].loopEnabled, 1);  // the one before keeps its loop
    EXPECT_EQ(e.macros()[98].loopCount, 9);
    EXPECT_FALSE(e.loopBoxChecked());
    EXPECT_FALSE(e.loopSwitch());
    EXPECT_EQ(e.loopFieldText(), u"1");
    EXPECT_TRUE(e.items().empty());

    EXPECT_FALSE(e.NewMacro());
    EXPECT_EQ(e.macros().size(), 100u);
    EXPECT_EQ(e.selectedMacro(), 99);
}

TEST_F(MacroEditorTest, ALongNewMacroTextIsCutToTheNameField) {
    editor = std::make_unique<MacroEditor>(*block, buttons, 0, -1, std::u16string(400, u'x'),
                                           FakeKeyName, delivery);
    editor->NewMacro();
    EXPECT_EQ(editor->MacroNames()[0], std::u16string(259, u'x'));
    editor->Rename(0, u"");
    EXPECT_EQ(editor->MacroNames()[0], std::u16string(259, u'x'));
}

TEST_F(MacroEditorTest, DeletingRefusesAMacroAnotherButtonUsesAndRenumbersOtherwise) {
    AddMacro(u"a");
    AddMacro(u"b", {{'B', 0, 0, 0}});
    AddMacro(u"c", {{'C', 0, 0, 0}});
    UseMacro(kLeftButton, 1);
    UseMacro(kWheelForward, 2);
    UseMacro(kSecondSideButton, 0);

    MacroEditor& refused = Open(1, kFirstSideButton);
    EXPECT_EQ(refused.DeleteSelected(), DeleteOutcome::RefusedInUse);
    EXPECT_EQ(refused.macros().size(), 3u);
    EXPECT_EQ(refused.selectedMacro(), 1);

    // The edited button may use it; the others are renumbered.
    MacroEditor& e = Open(1, kLeftButton);
    EXPECT_EQ(e.DeleteSelected(), DeleteOutcome::Deleted);
    EXPECT_EQ(e.MacroNames(), (std::vector<std::u16string>{u"a", u"c"}));
    EXPECT_EQ(e.selectedMacro(), 1);  // the entry now at the same position
    EXPECT_EQ(e.items(), (std::vector<EventItem>{Press(u'C', 0)}));
    EXPECT_EQ(e.buttons().records[kWheelForward].macroIndex, 1);
    EXPECT_EQ(e.buttons().records[kSecondSideButton].macroIndex, 0);
    EXPECT_EQ(e.buttons().records[kLeftButton].macroIndex, 1);

    // The last entry deleted selects the new last one; the only one leaves nothing selected.
    buttons = {};
    SetButtonDefaults(buttons);
    MacroEditor& last = Open(2);
    EXPECT_EQ(last.DeleteSelected(), DeleteOutcome::Deleted);
    EXPECT_EQ(last.selectedMacro(), 1);
    EXPECT_EQ(last.items(), (std::vector<EventItem>{Press(u'B', 0)}));
    last.SelectMacro(0);
    last.DeleteSelected();
    last.ClickLoopBox();
    EXPECT_EQ(last.DeleteSelected(), DeleteOutcome::Deleted);
    EXPECT_EQ(last.selectedMacro(), -1);
    EXPECT_TRUE(last.items().empty());
    EXPECT_FALSE(last.loopBoxChecked());
    EXPECT_EQ(last.loopFieldText(), u"1");
    EXPECT_EQ(last.DeleteSelected(), DeleteOutcome::NothingSelected);
}

TEST_F(MacroEditorTest, RenamingStoresTheNameAndAnEmptyOneGetsTheNewMacroText) {
    AddMacro(u"a");
    AddMacro(u"b", {{'B', 0, 0, 0}});
    const struct {
        int index;
        const char16_t* text;
        std::vector<std::u16string> names;
    } cases[] = {{1, u"fire", {u"a", u"fire"}},
                 {0, u"", {u"New Macro", u"b"}},
                 {2, u"x", {u"a", u"b"}},
                 {-1, u"x", {u"a", u"b"}}};
    for (const auto& c : cases) {
        MacroEditor& e = Open(0);
        e.LoopFieldChanged(u"5");
        e.ClickLoopBox();
        e.Rename(c.index, c.text);
        EXPECT_EQ(e.MacroNames(), c.names) << c.index;
        if (c.index == 1) {
            EXPECT_EQ(e.selectedMacro(), 1);
            EXPECT_EQ(e.items(), (std::vector<EventItem>{Press(u'B', 0)}));
            EXPECT_FALSE(e.loopBoxChecked());
        }
    }
}

TEST_F(MacroEditorTest, OkWritesTheListIntoTheBlockTheStoreAndTheButtons) {
    AddMacro(u"a");
    AddMacro(u"b");
    AddMacro(u"c");
    UseMacro(kWheelForward, 2);
    UseMacro(kSecondSideButton, 0);
    FakeRegistry registry;
    registry.SeedStore(buttons, *block);
    ButtonSetting storedBefore = buttons;

    MacroEditor& e = Open(0, kLeftButton);
    e.SelectMacro(1);
    e.DeleteSelected();
    e.ToggleRecording();
    e.OnKeyNotification('K', kPress, 0);
    EXPECT_EQ(buttons.records[kWheelForward].macroIndex, 2);  // nothing changes before OK

    EXPECT_EQ(e.Confirm(*block, buttons, registry), 1);
    EXPECT_FALSE(e.recording());
    EXPECT_EQ(block->count, 2);
    EXPECT_EQ(MacroNameAt(*block, 1), u"c");
    EXPECT_EQ(block->macros[1].eventCount, 1);
    EXPECT_EQ(BytesOf(block->macros[2]), BytesOf(tagMACROINFO{}));
    EXPECT_EQ(buttons.records[kWheelForward].macroIndex, 1);
    const auto* stored = registry.Find(kStoreKey, kMacroSettingValue);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->bytes, BytesOf(*block));
    // The stored buttons follow their macros, so a Cancel of the main dialog leaves them sound.
    storedBefore.records[kWheelForward].macroIndex = 1;
    const auto* storedButtons = registry.Find(kStoreKey, kButtonSettingValue);
    ASSERT_NE(storedButtons, nullptr);
    EXPECT_EQ(storedButtons->bytes, BytesOf(storedBefore));

    // Without the store's key the block still takes the list, and nothing is created.
    FakeRegistry empty;
    MacroEditor& again = Open(0);
    again.NewMacro();
    EXPECT_EQ(again.Confirm(*block, buttons, empty), 2);
    EXPECT_EQ(block->count, 3);
    EXPECT_EQ(empty.writes, 0);

    // A short stored button value is left as it is rather than padded out.
    const std::vector<std::uint8_t> shortButtons(10, 0x2A);
    registry.SetBytes(kStoreKey, kButtonSettingValue, shortButtons);
    MacroEditor& shorter = Open(2, kLeftButton);
    ASSERT_EQ(shorter.DeleteSelected(), DeleteOutcome::Deleted);
    shorter.Confirm(*block, buttons, registry);
    EXPECT_EQ(registry.Find(kStoreKey, kButtonSettingValue)->bytes, shortButtons);
}

TEST_F(MacroEditorTest, CancelLeavesTheBlockTheButtonsAndTheStoreAsTheyWere) {
    AddMacro(u"a", {{'A', 0, 0, 0}});
    AddMacro(u"b");
    UseMacro(kWheelForward, 1);
    FakeRegistry registry;
    registry.SeedStore(buttons, *block);
    const auto blockBefore = BytesOf(*block);
    const auto buttonsBefore = BytesOf(buttons);
    const int writesBefore = registry.writes;

    MacroEditor& e = Record(0, {{'Q', kPress, 0}, {'Q', kRelease, 9}});
    e.NewMacro();
    e.Rename(2, u"zz");
    e.SelectMacro(0);
    e.DeleteSelected();
    e.Cancel();
    editor.reset();

    EXPECT_EQ(BytesOf(*block), blockBefore);
    EXPECT_EQ(BytesOf(buttons), buttonsBefore);
    EXPECT_EQ(registry.writes, writesBefore);
}

}  // namespace
}  // namespace k2q::config
