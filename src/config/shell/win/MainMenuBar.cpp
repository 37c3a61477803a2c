#include "config/shell/win/MainMenuBar.h"

#include "common/localization/UiStrings.h"
#include "common/win/Text.h"

namespace k2q::config::win {
namespace {

std::wstring Text(UiKey key) { return k2q::win::ToWide(UiText(key)); }

}  // namespace

MainMenuBar::MainMenuBar() = default;

MainMenuBar::~MainMenuBar() { CloseAll(); }

void MainMenuBar::Open(MainMenu menu, HWND owner, int currentPage) {
    CloseAll();
    const MainMenuLayout& layout = LayoutOf(menu);
    auto& slot = slots_[static_cast<std::size_t>(menu)];
    slot = std::make_unique<k2q::win::CBmpMenu>();
    const auto path = [&](std::size_t i) {
        return k2q::win::MakeSkinPath(layout.area, layout.images[i]);
    };
    slot->SetMenuImages(path(0), path(1), path(2), path(3));
    POINT at{layout.anchor.x, layout.anchor.y};
    ::ClientToScreen(owner, &at);
    slot->SetPosition(at.x, at.y);
    for (const MainMenuItem& item : layout.items) {
        slot->AddItem(Text(item.text), item.command);
    }
    slot->Open(owner);
    if (menu == MainMenu::Setting) {
        for (const MenuItemState& state : SettingMenuStates(currentPage)) {
            slot->SetItemState(Text(state.text), state.checked, state.toggle);
        }
    }
}

void MainMenuBar::CloseAll() {
    for (auto& slot : slots_) {
        if (slot) {
            slot->CloseMenu();
            slot.reset();
        }
    }
}

k2q::win::CBmpMenu* MainMenuBar::OpenMenu(MainMenu menu) const {
    return slots_[static_cast<std::size_t>(menu)].get();
}

}  // namespace k2q::config::win
