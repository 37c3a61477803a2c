#include "common/ui/BmpMenuModel.h"

#include <algorithm>

namespace k2q {

std::u16string_view tagBMPMENUINFO::Text() const {
    const auto* end = std::find(std::begin(text), std::end(text), u'\0');
    return {text, static_cast<std::size_t>(end - text)};
}

void tagBMPMENUINFO::SetText(std::u16string_view value) {
    const std::size_t n = std::min(value.size(), std::size(text) - 1);
    std::copy_n(value.data(), n, text);
    std::fill(text + n, std::end(text), u'\0');
}

bool BmpMenuList::AddItem(std::u16string_view text, std::uint32_t commandId) {
    if (items_.size() >= kMaxMenuItems) {
        return false;
    }
    tagBMPMENUINFO& item = items_.emplace_back();
    item.SetText(text);
    item.commandId = commandId;
    return true;
}

bool BmpMenuList::AddSubItem(std::size_t index, std::u16string_view text, std::uint32_t commandId) {
    if (index >= items_.size() || items_[index].submenu.size() >= kMaxMenuItems) {
        return false;
    }
    tagBMPMENUINFO& item = items_[index];
    tagBMPMENUINFO& entry = item.submenu.emplace_back();
    entry.SetText(text);
    entry.commandId = commandId;
    item.hasSubmenu = true;
    return true;
}

BmpMenuList& SharedBmpMenuList() {
    static BmpMenuList list;
    return list;
}

skin::Point SubmenuOrigin(const SubmenuPlacement& p) {
    // 64-bit sums: positions near the far end of the coordinate range must not wrap.
    const std::int64_t itemTop = p.menuY + std::int64_t{kMenuItemPitch} * p.item;
    const bool right = std::int64_t{p.menuX} + p.menuWidth + p.submenuWidth <= p.areaWidth;
    const bool below = itemTop + p.submenuHeight <= p.areaHeight;
    const int x = right ? p.menuX + p.menuWidth : p.menuX - p.submenuWidth;
    const int y =
        below ? static_cast<int>(itemTop) : p.menuY + kMenuItemPitch * (p.item + 1 - p.entries);
    return {x, y};
}

}  // namespace k2q
