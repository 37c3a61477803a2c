#include "monitor/device/KeyUsage.h"

#include <initializer_list>

namespace k2q {
namespace {

class TableBuilder {
  public:
    // count consecutive usages on count consecutive virtual keys
    constexpr TableBuilder& Run(int usage, int virtualKey, int count) {
        for (int i = 0; i < count; ++i) {
            Add(usage + i, virtualKey + i);
        }
        return *this;
    }
    // consecutive usages on the listed virtual keys
    constexpr TableBuilder& Keys(int usage, std::initializer_list<int> virtualKeys) {
        for (int key : virtualKeys) {
            Add(usage++, key);
        }
        return *this;
    }
    constexpr std::array<KeyUsagePair, kKeyTableSize> Done() const {
        if (size_ != kKeyTableSize) {
            throw "the key table must have exactly kKeyTableSize pairs";
        }
        return table_;
    }

  private:
    constexpr void Add(int usage, int virtualKey) {
        if (size_ == kKeyTableSize) {
            throw "the key table is too long";
        }
        table_[size_++] = {static_cast<std::uint8_t>(usage), static_cast<std::uint8_t>(virtualKey)};
    }
    std::array<KeyUsagePair, kKeyTableSize> table_{};
    std::size_t size_ = 0;
};

constexpr std::array<KeyUsagePair, kKeyTableSize> BuildKeyTable() {
    return TableBuilder{}
        .Keys(0x00, {0, 0, 0, 0})                          // reserved, no keys
        .Run(0x04, 'A', 26)                                // A..Z
        .Run(0x1E, '1', 9)                                 // 1..9
        .Keys(0x27, {'0'})                                 //
        .Keys(0x28, {0x0D, 0x1B, 0x08, 0x09, 0x20})        // Enter Esc Backspace Tab Space
        .Keys(0x2D, {0xBD, 0xBB, 0xDB, 0xDD, 0xDC})        // - = [ ] backslash
        .Keys(0x32, {0})                                   // non-US #, no key
        .Keys(0x33, {0xBA, 0xDE, 0xC0, 0xBC, 0xBE, 0xBF})  // ; ' ` , . /
        .Keys(0x39, {0x14})                                // Caps Lock
        .Run(0x3A, 0x70, 12)                               // F1..F12
        .Keys(0x46, {0x2C, 0x91, 0x13})                    // Print Screen, Scroll Lock, Pause
        .Keys(0x49, {0x2D, 0x24, 0x21, 0x2E, 0x23, 0x22})  // Ins Home PgUp Del End PgDn
        .Keys(0x4F, {0x27, 0x25, 0x28, 0x26})              // Right Left Down Up
        .Keys(0x53, {0x90})                                // Num Lock
        .Keys(0x54, {0x6F, 0x6A, 0x6D, 0x6B})              // keypad / * - +
        .Keys(0x58, {0x0D})                                // keypad Enter: shadowed by Enter
        .Run(0x59, 0x61, 9)                                // keypad 1..9
        .Keys(0x62, {0x60, 0x6E})                          // keypad 0 and .
        .Keys(0x64, {0})                                   // non-US backslash, no key
        .Keys(0x65, {0x5D})                                // Application
        .Keys(0xE0, {0xA2, 0xA0, 0xA4, 0x5B})              // left Ctrl Shift Alt Windows
        .Keys(0xE4, {0xA3, 0xA1, 0xA5, 0x5C})              // right Ctrl Shift Alt Windows
        .Done();
}

}  // namespace

constexpr std::array<KeyUsagePair, kKeyTableSize> kKeyTable = BuildKeyTable();

std::uint8_t KeyUsage(std::uint8_t virtualKey) {
    for (const KeyUsagePair& pair : kKeyTable) {
        if (pair.virtualKey == virtualKey) {
            return pair.usage;
        }
    }
    return 0;
}

}  // namespace k2q
