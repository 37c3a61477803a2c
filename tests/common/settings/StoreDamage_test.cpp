// Damaged stores and profiles of every shape, thrown at the loaders under the sanitizers: any
// type, any length around and beyond the block sizes, any bytes. Seeded, so a failure repeats.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "common/settings/ProfileFile.h"
#include "common/settings/SettingsStore.h"
#include "common/settings/SystemMouseParams.h"
#include "support/FakeFileSystem.h"
#include "support/FakeRegistry.h"

namespace k2q {
namespace {

using testing::FakeFileSystem;
using testing::FakeRegistry;

class Damage {
  public:
    explicit Damage(std::uint32_t seed) : random_(seed) {}

    std::size_t Below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }

    // Lengths cluster at the edges of the blocks, with some anywhere up to well beyond.
    std::size_t Length() {
        static constexpr std::size_t kEdges[] = {0,      1,      2,      3,      49,    50,  103,
                                                 104,    105,    200,    519,    520,   521, 213603,
                                                 213604, 213605, 213707, 213708, 213709};
        return Below(3) ? kEdges[Below(std::size(kEdges))] : Below(300000);
    }
    std::uint32_t Type() {
        static constexpr std::uint32_t kTypes[] = {
            kRegNone, kRegSz, kRegExpandSz, kRegBinary, kRegDword, kRegMultiSz, 11, 0xFFFFFFFF};
        return kTypes[Below(std::size(kTypes))];
    }
    std::vector<std::uint8_t> Bytes(std::size_t n) {
        std::vector<std::uint8_t> bytes(n);
        const int style = static_cast<int>(Below(3));
        for (auto& b : bytes) {
            // Random bytes, digits and blanks (so strings parse), or mostly zeros.
            b = style == 0 ? static_cast<std::uint8_t>(Below(256))
                : style == 1
                    ? static_cast<std::uint8_t>(Below(2) ? "0123456789 -+\t"[Below(14)] : 0)
                    : static_cast<std::uint8_t>(Below(8) ? 0 : Below(256));
        }
        return bytes;
    }
    void MaybeSet(FakeRegistry& registry, const char16_t* key, const char16_t* name) {
        if (Below(5)) {
            registry.SetBytes(key, name, Bytes(Below(4) ? Below(40) : Length()), Type());
        }
    }

  private:
    std::mt19937 random_;
};

template <class T>
std::vector<std::uint8_t> BytesOf(const T& block) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&block);
    return {p, p + sizeof block};
}

TEST(StoreDamage, LoadersTakeAnyValuesAndFilesWithoutReadingOutsideTheBlocks) {
    Damage damage(20240611);
    auto buttons = std::make_unique<ButtonSetting>();
    auto macros = std::make_unique<MacroSetting>();
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        FakeRegistry registry;
        for (const char16_t* name : {u"MouseSensitivity", u"DoubleClickSpeed", u"MouseSpeed",
                                     u"MouseThreshold1", u"MouseThreshold2"}) {
            damage.MaybeSet(registry, kMouseKey, name);
        }
        damage.MaybeSet(registry, kDesktopKey, u"WheelScrollLines");
        if (damage.Below(6)) {
            damage.MaybeSet(registry, kStoreKey, kButtonSettingValue);
            damage.MaybeSet(registry, kStoreKey, kMacroSettingValue);
            registry.keys[kStoreKey];
        }

        std::memset(buttons.get(), 0, sizeof *buttons);
        std::memset(macros.get(), 0, sizeof *macros);
        LoadOrCreateStore(registry, *buttons, *macros);

        // After a load the store holds two binary values that fit their blocks, and the blocks
        // start with them; so a reload finds nothing to change and writes nothing.
        const auto* storedButtons = registry.Find(kStoreKey, kButtonSettingValue);
        const auto* storedMacros = registry.Find(kStoreKey, kMacroSettingValue);
        ASSERT_TRUE(storedButtons && storedMacros);
        ASSERT_EQ(storedButtons->type, kRegBinary);
        ASSERT_EQ(storedMacros->type, kRegBinary);
        ASSERT_LE(storedButtons->bytes.size(), sizeof *buttons);
        ASSERT_LE(storedMacros->bytes.size(), sizeof *macros);
        const auto loadedButtons = BytesOf(*buttons);
        const auto loadedMacros = BytesOf(*macros);
        ASSERT_TRUE(std::equal(storedButtons->bytes.begin(), storedButtons->bytes.end(),
                               loadedButtons.begin()));
        ASSERT_TRUE(std::equal(storedMacros->bytes.begin(), storedMacros->bytes.end(),
                               loadedMacros.begin()));
        const int writes = registry.writes;
        EXPECT_EQ(registry.writtenKeys.size(), writes ? 1u : 0u);

        const StoreReload reload = ReloadStore(registry, *buttons, *macros);
        EXPECT_TRUE(reload.buttons && reload.macros);
        EXPECT_EQ(BytesOf(*buttons), loadedButtons);
        EXPECT_EQ(BytesOf(*macros), loadedMacros);

        // Now damage the stored values under the running copy: a reload keeps the copy
        // unless a value is a binary that fits.
        damage.MaybeSet(registry, kStoreKey, kButtonSettingValue);
        damage.MaybeSet(registry, kStoreKey, kMacroSettingValue);
        ReloadStore(registry, *buttons, *macros);
        EXPECT_EQ(registry.writes, writes);

        // A profile file of any length and content.
        FakeFileSystem files;
        const auto file = damage.Bytes(damage.Length());
        files.files[u"p.K2q"] = file;
        const ProfileRead read = ReadProfile(files, u"p.K2q", *buttons, *macros);
        ASSERT_EQ(read.bytes, std::min(file.size(), kProfileSize));
        auto profile = BytesOf(*buttons);
        const auto m = BytesOf(*macros);
        profile.insert(profile.end(), m.begin(), m.end());
        ASSERT_TRUE(std::equal(file.begin(), file.begin() + read.bytes, profile.begin()));
    }
}

}  // namespace
}  // namespace k2q
