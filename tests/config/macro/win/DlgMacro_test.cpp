// The macro editor as a user works it: real clicks on its pictured buttons and lists, real
// keys through KbSnare.dll, and what OK and Cancel leave in the program's blocks and in the
// registry.
#include "config/macro/win/DlgMacro.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "EditorSession.h"
#include "support/win/TempFolder.h"
#include "common/settings/SettingsStore.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/SkinImage.h"
#include "common/localization/win/ProgramLanguage.h"
#include "common/win/Gdiplus.h"
#include "common/win/Win32Registry.h"
#include "config/macro/win/MacroEditorIds.h"
#include "support/Bytes.h"
#include "support/UiTexts.h"
#include "support/win/GdiObjects.h"
#include "support/win/HandleCount.h"
#include "support/win/RawRegistry.h"
#include "support/win/Screenshot.h"

namespace k2q::config::win {
namespace {

using namespace std::chrono_literals;
using testing::BytesOf;
using testing::KeyDown;
using testing::KeyUp;
using testing::PressKey;
namespace layout = skin::macro;

const tagMACROINFO& SelectedRecord(const MacroEditor& e) {
    return e.macros()[e.selectedMacro()];
}
int SelectedEvents(const MacroEditor& e) {
    return e.selectedMacro() < 0 ? -1 : SelectedRecord(e).eventCount;
}

class DlgMacroTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::LoadKeyNamesAsProgramUiTexts();
        std::memset(macros.get(), 0, sizeof *macros);
        SetButtonDefaults(buttons);
        ASSERT_TRUE(hooks.CopyFromDist(L"KbSnare.dll"))
            << "KbSnare.dll is built beside the programs";
    }

    tagMACROINFO& AddMacro(std::u16string_view name) {
        tagMACROINFO& m = macros->macros[macros->count++];
        SetMacroName(m, name);
        return m;
    }

    // The store as the configuration program found it when it started.
    void SeedStore() { ASSERT_TRUE(WriteStore(registry, buttons, *macros)); }
    static std::vector<std::uint8_t> StoredMacros() {
        const auto value = testing::ReadRaw(L"Software\\Tavik\\K2q", L"MacroSetting");
        return value ? value->bytes : std::vector<std::uint8_t>{};
    }

    std::unique_ptr<CDlgMacro> Editor(int initial, int button = kFirstSideButton) {
        return std::make_unique<CDlgMacro>(*macros, buttons, initial, button,
                                           CDlgMacro::Options{nullptr, hooks.path()});
    }

    k2q::win::GdiplusSession gdiplus;
    testing::TempFolder hooks{L"K2qMacroTests"};
    k2q::win::Win32Registry registry;
    std::unique_ptr<MacroSetting> macros = std::make_unique<MacroSetting>();
    ButtonSetting buttons;
};

TEST_F(DlgMacroTest, RecordsTypedKeysAndClickedMouseButtonsAndOkWritesThemEverywhere) {
    tagMACROINFO& first = AddMacro(u"first");
    first.events[first.eventCount++] = {'Z', 0, 0, 0};
    first.loopCount = 1;  // what showing it stores
    SeedStore();
    const auto firstBefore = BytesOf(first);
    auto dialog = Editor(0);

    const INT_PTR result = RunEditor(*dialog, [&](EditorUser& user) {
        user.Click(layout::kNewMacro);
        ASSERT_TRUE(user.WaitForEditor(
            [](const MacroEditor& e) { return e.macros().size() == 2 && e.selectedMacro() == 1; }));
        user.Click(layout::kRecord);
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return e.recording(); }));
        PressKey('A');
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return SelectedEvents(e) == 2; }));
        PressKey('B');
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return SelectedEvents(e) == 4; }));
        user.Click(layout::kLeftButton);
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return SelectedEvents(e) == 6; }));
        user.Click(layout::kRightButton);
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return SelectedEvents(e) == 8; }));
        user.Click(layout::kRecord);
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return !e.recording(); }));
        // The list shows the recording: a press and a release line for each input.
        EXPECT_EQ(user.OnUi([&] {
            return ::SendDlgItemMessageW(user.window(), IDC_MACRO_EVENTS, LB_GETCOUNT, 0, 0);
        }),
                  8);
        user.Click(layout::kOk);
    });

    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(dialog->selectedMacro(), 1);
    ASSERT_EQ(macros->count, 2);
    EXPECT_EQ(BytesOf(macros->macros[0]), firstBefore);
    const tagMACROINFO& m = macros->macros[1];
    EXPECT_EQ(MacroName(m), u"tc_new_macro");
    const MacroEvent expected[] = {{'A', 0, 0, 0},  {'A', 1, 0, 0},  {'B', 0, 0, 0},
                                   {'B', 1, 0, 0},  {0xC1, 0, 0, 0}, {0xC1, 1, 0, 0},
                                   {0xC2, 0, 0, 0}, {0xC2, 1, 0, 0}};
    ASSERT_EQ(m.eventCount, 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(BytesOf(m.events[i]), BytesOf(expected[i])) << i;
    }
    EXPECT_EQ(m.loopEnabled, 0);
    EXPECT_EQ(StoredMacros(), BytesOf(*macros));
}

TEST_F(DlgMacroTest, TypingDigitsIntoTheDelayFieldWhileRecordingRecordsNothing) {
    AddMacro(u"m");
    auto dialog = Editor(0);
    RunEditor(*dialog, [&](EditorUser& user) {
        user.Click(layout::kRecord);
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return e.recording(); }));
        user.ClickField(IDC_MACRO_DELAY, layout::kDelayField);
        for (int key : {VK_END, VK_BACK, VK_BACK, VK_BACK, int('2'), int('5'), int('0')}) {
            PressKey(static_cast<WORD>(key));
        }
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return e.delayValue() == 250; }));
        EXPECT_EQ(user.OnUi([&] { return SelectedEvents(*dialog->editor()); }), 0);

        // Out of the field, keys are recorded again.
        user.ClickItem(layout::kEventList, 3);
        ASSERT_TRUE(user.WaitFor(
            [&] { return ::GetFocus() == ::GetDlgItem(user.window(), IDC_MACRO_EVENTS); }));
        PressKey('C');
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return SelectedEvents(e) == 2; }));
        EXPECT_EQ(user.OnUi([&] { return SelectedRecord(*dialog->editor()).events[0].code; }), 'C');
        user.Click(layout::kCancel);
    });
}

TEST_F(DlgMacroTest, ADoubleClickRenamesInPlaceEnterCommitsEscCancelsAndNeitherCloses) {
    AddMacro(u"alpha");
    AddMacro(u"beta");
    auto dialog = Editor(0);
    const auto name = [&](int i) {
        return std::u16string(MacroName(dialog->editor()->macros()[i]));
    };
    const auto editing = [] { return CListBoxEx::Editing() != nullptr; };

    const INT_PTR result = RunEditor(*dialog, [&](EditorUser& user) {
        const POINT beta = user.ItemPoint(layout::kMacroList, 1);
        user.DoubleClickAt(beta);
        ASSERT_TRUE(user.WaitFor(editing));
        for (char c : {'Z', 'E', 'D'}) {
            PressKey(static_cast<WORD>(c));
        }
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(user.WaitFor([&] { return !editing(); }));
        EXPECT_EQ(user.OnUi([&] { return name(1); }), u"beta");

        user.DoubleClickAt(beta);
        ASSERT_TRUE(user.WaitFor(editing));
        for (char c : {'Z', 'E', 'D'}) {
            PressKey(static_cast<WORD>(c));
        }
        PressKey(VK_RETURN);
        ASSERT_TRUE(user.WaitFor([&] { return name(1) == u"zed"; }));

        // An emptied name becomes the new-macro text, in the record and in the list.
        const POINT alpha = user.ItemPoint(layout::kMacroList, 0);
        user.DoubleClickAt(alpha);
        ASSERT_TRUE(user.WaitFor(editing));
        PressKey(VK_BACK);
        PressKey(VK_RETURN);
        ASSERT_TRUE(user.WaitFor([&] { return name(0) == u"tc_new_macro"; }));
        const std::wstring shown = user.OnUi([&] {
            wchar_t text[64] = {};
            ::SendDlgItemMessageW(user.window(), IDC_MACRO_LIST, LB_GETTEXT, 0,
                                  reinterpret_cast<LPARAM>(text));
            return std::wstring(text);
        });
        EXPECT_EQ(shown, L"tc_new_macro");
        EXPECT_TRUE(::IsWindow(user.window()));
        user.Click(layout::kOk);
    });
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(MacroNameAt(*macros, 0), u"tc_new_macro");
    EXPECT_EQ(MacroNameAt(*macros, 1), u"zed");
}

TEST_F(DlgMacroTest, EnterEscAndSpaceNeitherPressAButtonNorCloseTheDialog) {
    AddMacro(u"m");
    auto dialog = Editor(0);
    const INT_PTR result = RunEditor(*dialog, [&](EditorUser& user) {
        user.Click(layout::kNewMacro);  // the button that Space or Enter would press
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return e.macros().size() == 2; }));
        for (int key : {VK_SPACE, VK_RETURN, VK_ESCAPE, VK_SPACE}) {
            PressKey(static_cast<WORD>(key));
        }
        // Input is handled in order: once this click is seen, so were the keys.
        user.Click(layout::kLoopBox);
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return e.loopBoxChecked(); }));
        EXPECT_EQ(user.OnUi([&] { return dialog->editor()->macros().size(); }), 2u);
        EXPECT_TRUE(::IsWindow(user.window()));
        user.Click(layout::kOk);
    });
    EXPECT_EQ(result, IDOK);
}

TEST_F(DlgMacroTest, WithoutKbSnareNothingIsRecordedAndEverythingElseWorks) {
    AddMacro(u"m");
    testing::TempFolder empty(L"K2qMacroNoHook");
    auto dialog = std::make_unique<CDlgMacro>(*macros, buttons, 0, kFirstSideButton,
                                              CDlgMacro::Options{nullptr, empty.path()});
    SeedStore();
    const INT_PTR result = RunEditor(*dialog, [&](EditorUser& user) {
        user.Click(layout::kRecord);
        PressKey('A');
        user.Click(layout::kNewMacro);
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return e.macros().size() == 2; }));
        EXPECT_FALSE(user.OnUi([&] { return dialog->editor()->recording(); }));
        EXPECT_EQ(user.OnUi([&] { return dialog->editor()->macros()[0].eventCount; }), 0);
        user.Click(layout::kOk);
    });
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(macros->count, 2);
    EXPECT_EQ(StoredMacros(), BytesOf(*macros));
}

TEST_F(DlgMacroTest, DeletingAMacroAnotherButtonUsesIsRefusedWithTheMessage) {
    AddMacro(u"a");
    AddMacro(u"b");
    buttons.records[kLeftButton].function = kFnMacro;
    buttons.records[kLeftButton].macroIndex = 0;
    buttons.records[kWheelForward].function = kFnMacro;
    buttons.records[kWheelForward].macroIndex = 2;
    auto dialog = Editor(0);
    const INT_PTR result = RunEditor(*dialog, [&](EditorUser& user) {
        user.Click(layout::kDeleteMacro);
        HWND box = nullptr;
        ASSERT_TRUE(user.WaitFor([&] {
            box = ::FindWindowW(L"#32770", L"tc_title");
            return box && ::IsWindowVisible(box);
        }));
        wchar_t text[64] = {};
        ::GetDlgItemTextW(box, 0xFFFF, text, 64);
        EXPECT_STREQ(text, L"tc_macro_msg3");
        PressKey(VK_RETURN);  // the message box's own Enter still works
        ASSERT_TRUE(user.WaitFor([&] { return !::IsWindow(box); }));
        EXPECT_EQ(user.OnUi([&] { return dialog->editor()->macros().size(); }), 2u);

        user.ClickItem(layout::kMacroList, 1);
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return e.selectedMacro() == 1; }));
        user.Click(layout::kDeleteMacro);
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return e.macros().size() == 1; }));
        user.Click(layout::kOk);
    });
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(dialog->selectedMacro(), 0);
    EXPECT_EQ(macros->count, 1);
    EXPECT_EQ(MacroNameAt(*macros, 0), u"a");
    EXPECT_EQ(buttons.records[kLeftButton].macroIndex, 0);
    EXPECT_EQ(buttons.records[kWheelForward].macroIndex, 1);  // followed its macro down
}

TEST_F(DlgMacroTest, CloseAfterRecordingLeavesTheBlocksAndTheStoreAsTheyWere) {
    AddMacro(u"a").events[0] = {'Q', 0, 0, 0};
    macros->macros[0].eventCount = 1;
    AddMacro(u"b");
    buttons.records[kWheelForward].function = kFnMacro;
    buttons.records[kWheelForward].macroIndex = 1;
    SeedStore();
    const auto macrosBefore = BytesOf(*macros);
    const auto buttonsBefore = BytesOf(buttons);
    const auto storedBefore = StoredMacros();
    auto dialog = Editor(0, kWheelForward);
    const INT_PTR result = RunEditor(*dialog, [&](EditorUser& user) {
        user.Click(layout::kRecord);
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return e.recording(); }));
        PressKey('W');
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return SelectedEvents(e) == 2; }));
        user.Click(layout::kDeleteMacro);
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return e.macros().size() == 1; }));
        user.Click(layout::kClose);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(BytesOf(*macros), macrosBefore);
    EXPECT_EQ(BytesOf(buttons), buttonsBefore);
    EXPECT_EQ(StoredMacros(), storedBefore);
}

TEST_F(DlgMacroTest, OpeningRecordingAndClosingAgainAndAgainKeepsNoGdiObjectOrHandle) {
    AddMacro(u"m");
    const auto round = [&] {
        auto dialog = Editor(0);
        RunEditor(*dialog, [&](EditorUser& user) {
            user.Click(layout::kRecord);
            ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return e.recording(); }));
            PressKey('A');
            ASSERT_TRUE(
                user.WaitForEditor([](const MacroEditor& e) { return SelectedEvents(e) == 2; }));
            user.Click(layout::kNewMacro);  // redraws both lists
            ASSERT_TRUE(
                user.WaitForEditor([](const MacroEditor& e) { return e.macros().size() == 2; }));
            user.Click(layout::kCancel);
        });
    };
    round();  // the first round loads what the process keeps (fonts, codecs, classes)
    round();
    testing::PumpFor(20ms);
    const DWORD gdi = testing::GdiObjectCount();
    const DWORD handles = testing::ProcessHandleCount();
    for (int i = 0; i < 6; ++i) {
        round();
    }
    testing::PumpFor(20ms);
    EXPECT_EQ(testing::GdiObjectCount(), gdi);
    EXPECT_LE(testing::ProcessHandleCount(), handles + 2);  // the system's own late handles
}

// Where each picture differs from its counterpart and is opaque in both: such a pixel tells
// which of the two the list drew.
POINT TellingPixel(const k2q::win::SkinImage& a, const k2q::win::SkinImage& b) {
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            Gdiplus::Color ca, cb;
            a.bitmap()->GetPixel(x, y, &ca);
            b.bitmap()->GetPixel(x, y, &cb);
            if (ca.GetA() == 255 && cb.GetA() == 255 && ca.GetValue() != cb.GetValue()) {
                return {x, y};
            }
        }
    }
    return {-1, -1};
}

std::uint32_t PixelOf(const k2q::win::SkinImage& image, POINT p) {
    Gdiplus::Color c;
    image.bitmap()->GetPixel(p.x, p.y, &c);
    return c.GetValue() & 0x00FFFFFF;
}

TEST_F(DlgMacroTest, SitsCentredWithItsControlsInPlaceAndShowsARecordedMacro) {
    k2q::win::LoadLanguageBesideProgram();  // the shipped texts, for the screenshot
    AddMacro(u"Fire");
    AddMacro(u"Reload");
    auto dialog = Editor(1);
    RunEditor(*dialog, [&](EditorUser& user) {
        RECT window;
        ::GetWindowRect(user.window(), &window);
        EXPECT_EQ(window.right - window.left, layout::kWidth);
        EXPECT_EQ(window.bottom - window.top, layout::kHeight);
        EXPECT_EQ(window.left, (::GetSystemMetrics(SM_CXFULLSCREEN) - layout::kWidth) / 2);
        EXPECT_EQ(window.top, (::GetSystemMetrics(SM_CYFULLSCREEN) - layout::kHeight) / 2);
        const std::pair<int, skin::Rect> controls[] = {{IDC_MACRO_LIST, layout::kMacroList},
                                                       {IDC_MACRO_EVENTS, layout::kEventList},
                                                       {IDC_MACRO_LOOP_COUNT, layout::kLoopCount},
                                                       {IDC_MACRO_DELAY, layout::kDelayField},
                                                       {IDC_MACRO_RECORD, layout::kRecord}};
        for (const auto& [id, rect] : controls) {
            RECT r;
            ::GetWindowRect(::GetDlgItem(user.window(), id), &r);
            ::MapWindowPoints(nullptr, user.window(), reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, rect.left) << id;
            EXPECT_EQ(r.top, rect.top) << id;
            EXPECT_EQ(r.right, rect.right) << id;
            EXPECT_EQ(r.bottom, rect.bottom) << id;
        }

        // A recording with a pause: press, 300 ms held, release.
        user.Click(layout::kRecord);
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return e.recording(); }));
        user.Click(layout::kDelayBox);
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return e.delaySwitch(); }));
        KeyDown('G');
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return SelectedEvents(e) == 1; }));
        ::Sleep(300);  // the pause being recorded, not a wait for an outcome
        KeyUp('G');
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return SelectedEvents(e) == 2; }));
        const int pause =
            user.OnUi([&] { return SelectedRecord(*dialog->editor()).events[0].delay; });
        EXPECT_GE(pause, 250);
        user.Click(layout::kRecord);
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return !e.recording(); }));
        ::Sleep(150);  // let the last paints reach the screen before it is read back

        const testing::ScreenPixels shot = testing::CaptureScreen(window);
        testing::SavePng(shot, L"screenshots\\macro_editor.png");
        // Press unselected, pause, release selected: down1 on the first line, up2 on the last.
        const auto icon = [](std::u16string_view file) {
            return k2q::win::LoadSkinImage(k2q::win::MakeSkinPath(skin::macro_icon::kArea, file));
        };
        const auto down1 = icon(skin::macro_icon::kPressFile);
        const auto down2 = icon(skin::macro_icon::kPressSelectedFile);
        const auto up1 = icon(skin::macro_icon::kUpFile);
        const auto up2 = icon(skin::macro_icon::kUpSelectedFile);
        const POINT pressAt = TellingPixel(down1, down2);
        const POINT releaseAt = TellingPixel(up2, up1);
        ASSERT_GE(pressAt.x, 0);
        ASSERT_GE(releaseAt.x, 0);
        const skin::Rect& list = layout::kEventList;
        EXPECT_EQ(shot.At(list.left + 5 + pressAt.x, list.top + pressAt.y),
                  PixelOf(down1, pressAt));
        EXPECT_EQ(shot.At(list.left + 5 + releaseAt.x, list.top + 32 + releaseAt.y),
                  PixelOf(up2, releaseAt));
        // The number fields: orange on black.
        const skin::Rect& field = layout::kDelayField;
        EXPECT_EQ(shot.At(field.right - 2, field.bottom - 2), 0x000000u);
        bool orange = false;
        for (int y = field.top; y < field.bottom; ++y) {
            for (int x = field.left; x < field.right; ++x) {
                orange |= shot.At(x, y) == 0xEB8D24u;
            }
        }
        EXPECT_TRUE(orange);
        user.Click(layout::kCancel);
    });
}

}  // namespace
}  // namespace k2q::config::win
