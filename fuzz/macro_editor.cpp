// Drives the macro editor with a damaged table and any sequence of the user's actions: whatever
// the stored bytes and the clicks, keys and fields say, it must stay inside the records, keep
// its list within the table, and write back a block the readers can trust.
//
// Input: 4 bytes number in use, then three 2136-byte records (placed at 0, 1 and 99; short
// input leaves the rest zero), then one byte per action with its arguments after it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "common/settings/ButtonSetting.h"
#include "config/macro/MacroEditor.h"

namespace {

using namespace k2q;
using namespace k2q::config;

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool more() const { return pos_ < size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::size_t Take(void* out, std::size_t n) {
        const std::size_t k = std::min(n, size_ - pos_);
        std::memcpy(out, data_ + pos_, k);
        pos_ += k;
        return k;
    }
    std::u16string Text() {
        std::u16string text(Byte() % 12, u'0');
        for (char16_t& c : text) {
            c = static_cast<char16_t>(Byte() < 0xE0 ? u'0' + Byte() % 10 : 0xD800 + Byte());
        }
        return text;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

class Delivery : public KeyDelivery {
  public:
    bool present = true;
    bool CanDeliver() const override { return present; }
    void SetDelivery(bool) override {}
};

class NullRegistry : public Registry {
  public:
    class Key : public RegistryKey {
      public:
        RegistryRead Query(std::u16string_view, void*, std::size_t) override { return {}; }
        bool Set(std::u16string_view, std::uint32_t, const void*, std::size_t size) override {
            Check(size == sizeof(MacroSetting));
            return true;
        }
    };
    std::unique_ptr<RegistryKey> Open(std::u16string_view) override {
        return std::make_unique<Key>();
    }
    std::unique_ptr<RegistryKey> Create(std::u16string_view) override { return nullptr; }
};

std::u16string Name(std::uint8_t code) {
    if (code == 0 || code == 0xFF) {
        return {};
    }
    return code % 7 == 0 ? std::u16string(1, u'\0') : std::u16string(1, char16_t(code));
}

void CheckView(const MacroEditor& e) {
    Check(e.macros().size() <= static_cast<std::size_t>(kMacroCapacity));
    Check(e.selectedMacro() >= -1 && e.selectedMacro() < static_cast<int>(e.macros().size()));
    Check(e.selectedItem() >= -1 && e.selectedItem() < static_cast<int>(e.items().size()));
    for (const tagMACROINFO& m : e.macros()) {
        Check(m.eventCount <= kMacroEventCapacity);
        Check(m.name[kMacroNameUnits - 1] == u'\0');
    }
    if (e.selectedMacro() >= 0) {
        const tagMACROINFO& m = e.macros()[e.selectedMacro()];
        for (const EventItem& item : e.items()) {
            Check(item.event >= 0 && item.event < m.eventCount);
        }
    }
    Check(e.loopFieldEnabled() == e.loopBoxChecked());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    auto block = std::make_unique<MacroSetting>();
    std::memset(block.get(), 0, sizeof *block);
    in.Take(&block->count, sizeof block->count);
    for (int slot : {0, 1, 99}) {
        in.Take(&block->macros[slot], sizeof(tagMACROINFO));
    }
    ButtonSetting buttons;
    SetButtonDefaults(buttons);
    for (ButtonRecord& r : buttons.records) {
        r.function = in.Byte() % 2 ? kFnMacro : r.function;
        r.macroIndex = in.Byte();
    }
    Delivery delivery;
    delivery.present = in.Byte() != 0x42;
    MacroEditor editor(*block, buttons, in.Byte() % 9 - 1, static_cast<std::int8_t>(in.Byte()),
                       u"New", Name, delivery);
    CheckView(editor);
    std::uint32_t now = 0;
    for (int steps = 0; in.more() && steps < 4000; ++steps) {
        switch (in.Byte() % 13) {
            case 0:
                editor.ToggleRecording();
                break;
            case 1: {
                const std::uint32_t code = in.Byte() | (in.Byte() == 0xEE ? 0x100u : 0u);
                now += in.Byte() * 37u;
                editor.OnKeyNotification(code, in.Byte(), now);
                break;
            }
            case 2:
                editor.ClickDelayBox();
                break;
            case 3:
                editor.ClickLoopBox();
                break;
            case 4:
                editor.LoopFieldChanged(in.Text());
                break;
            case 5:
                editor.DelayFieldChanged(in.Text());
                break;
            case 6:
                editor.FieldFocusChanged(in.Byte() % 2 != 0);
                break;
            case 7:
                editor.ModifyDelay(static_cast<std::int8_t>(in.Byte()));
                break;
            case 8:
                editor.NewMacro();
                break;
            case 9:
                editor.DeleteSelected();
                break;
            case 10: {
                const int index = static_cast<std::int8_t>(in.Byte());
                editor.Rename(index, in.Text());
                break;
            }
            case 11:
                editor.SelectMacro(static_cast<std::int8_t>(in.Byte()));
                break;
            default:
                editor.Cancel();
                break;
        }
        CheckView(editor);
    }
    NullRegistry store;
    const int chosen = editor.Confirm(*block, buttons, store);
    Check(chosen >= -1 && chosen < block->count);
    Check(block->count >= 0 && block->count <= kMacroCapacity);
    for (int i = 0; i < kMacroCapacity; ++i) {
        const tagMACROINFO& m = block->macros[i];
        Check(m.eventCount <= kMacroEventCapacity);
        if (i >= block->count) {
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(&m);
            Check(std::all_of(bytes, bytes + sizeof m, [](std::uint8_t b) { return b == 0; }));
        }
    }
    return 0;
}
