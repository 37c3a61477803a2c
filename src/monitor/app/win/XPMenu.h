// The tray icon's owner-drawn menu: two commands with an icon each, in a flat light look.
#pragma once

#include <cstdint>
#include <string>

#include "common/win/Menu.h"

namespace k2q::monitor {

// What one owner-drawn item shows; alive while the menu is shown.
struct XPMenuItem {
    std::uint32_t normalIcon = 0;    // icon resource id
    std::uint32_t selectedIcon = 0;  // icon resource id
    std::wstring text;
};

class CXPMenu : public win::Menu {
  public:
    void DrawItem(const DRAWITEMSTRUCT& dis) override;
    void MeasureItem(MEASUREITEMSTRUCT& mis) override;

    static constexpr int kItemWidth = 75;
    static constexpr int kItemHeight = 20;
};

}  // namespace k2q::monitor
