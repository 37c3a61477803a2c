#include "common/settings/ProfileFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "support/FakeFileSystem.h"
#include "support/Bytes.h"

namespace k2q {
namespace {

using testing::FakeFileSystem;

constexpr char16_t kPath[] = u"C:\\profiles\\game.K2q";

struct Blocks {
    std::unique_ptr<ButtonSetting> buttons = std::make_unique<ButtonSetting>();
    std::unique_ptr<MacroSetting> macros = std::make_unique<MacroSetting>();
    explicit Blocks(std::uint8_t seed) {
        const auto b = testing::Pattern(sizeof *buttons, seed);
        const auto m = testing::Pattern(sizeof *macros, static_cast<std::uint8_t>(seed + 1));
        std::memcpy(buttons.get(), b.data(), b.size());
        std::memcpy(macros.get(), m.data(), m.size());
    }
    std::vector<std::uint8_t> Profile() const {
        auto bytes = testing::BytesOf(*buttons);
        const auto m = testing::BytesOf(*macros);
        bytes.insert(bytes.end(), m.begin(), m.end());
        return bytes;
    }
};

TEST(ProfileFile, ExportWritesBothBlocksRawAndImportRestoresThemByteForByte) {
    FakeFileSystem files;
    files.files[kPath] = testing::Pattern(77, 5);  // an older profile of that name
    const Blocks saved(10);
    ASSERT_EQ(WriteProfile(files, kPath, *saved.buttons, *saved.macros), ProfileWrite::Written);
    ASSERT_EQ(files.files.size(), 1u);  // no temporary file left beside it
    EXPECT_EQ(files.files[kPath].size(), 213708u);
    EXPECT_EQ(files.files[kPath], saved.Profile());

    Blocks loaded(99);
    const ProfileRead read = ReadProfile(files, kPath, *loaded.buttons, *loaded.macros);
    EXPECT_TRUE(read.opened);
    EXPECT_FALSE(read.readFailed);
    EXPECT_EQ(read.bytes, 213708u);
    EXPECT_EQ(loaded.Profile(), saved.Profile());
}

TEST(ProfileFile, AFailedExportLeavesThePreviousFileAsItWasAndNothingBeside) {
    const struct {
        const char* name;
        void (*fail)(FakeFileSystem&);
        ProfileWrite result;
    } cases[] = {
        {"cannot create", [](FakeFileSystem& f) { f.failCreate = true; }, ProfileWrite::NotCreated},
        {"buttons write fails", [](FakeFileSystem& f) { f.failWriteAt = 0; },
         ProfileWrite::WriteFailed},
        {"disk full in the macros", [](FakeFileSystem& f) { f.failWriteAt = 1; },
         ProfileWrite::WriteFailed},
        {"flush fails", [](FakeFileSystem& f) { f.failFlush = true; }, ProfileWrite::WriteFailed},
        {"close fails", [](FakeFileSystem& f) { f.failClose = true; }, ProfileWrite::WriteFailed},
        {"target read-only", [](FakeFileSystem& f) { f.readOnly.insert(kPath); },
         ProfileWrite::NotReplaced},
    };
    const Blocks saved(10);
    const auto previous = testing::Pattern(213708, 77);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFileSystem files;
        files.files[kPath] = previous;
        c.fail(files);
        EXPECT_EQ(WriteProfile(files, kPath, *saved.buttons, *saved.macros), c.result);
        ASSERT_EQ(files.files.size(), 1u);
        EXPECT_EQ(files.files[kPath], previous);
    }

    FakeFileSystem none;  // with no earlier file there is still nothing left behind
    none.failWriteAt = 1;
    EXPECT_EQ(WriteProfile(none, kPath, *saved.buttons, *saved.macros), ProfileWrite::WriteFailed);
    EXPECT_TRUE(none.files.empty());
}

TEST(ProfileFile, ImportFillsTheBlocksOnlyAsFarAsTheFileReaches) {
    const std::size_t lengths[] = {0, 1, 50, 103, 104, 105, 150, 213707, 213708, 213709, 300000};
    for (const std::size_t length : lengths) {
        SCOPED_TRACE(length);
        FakeFileSystem files;
        const auto file = testing::Pattern(length, 200);
        files.files[kPath] = file;
        Blocks blocks(1);
        auto expected = blocks.Profile();
        const std::size_t taken = std::min<std::size_t>(length, 213708);
        std::copy_n(file.begin(), taken, expected.begin());

        const ProfileRead read = ReadProfile(files, kPath, *blocks.buttons, *blocks.macros);
        EXPECT_TRUE(read.opened);
        EXPECT_EQ(read.bytes, taken);
        EXPECT_EQ(blocks.Profile(), expected);
    }
}

TEST(ProfileFile, AnImportThatCannotOpenOrReadTheFileChangesNothing) {
    FakeFileSystem files;
    Blocks blocks(1);
    const auto before = blocks.Profile();
    const ProfileRead missing = ReadProfile(files, kPath, *blocks.buttons, *blocks.macros);
    EXPECT_FALSE(missing.opened);
    EXPECT_EQ(blocks.Profile(), before);

    files.files[kPath] = testing::Pattern(213708, 3);
    files.failRead = true;
    const ProfileRead failed = ReadProfile(files, kPath, *blocks.buttons, *blocks.macros);
    EXPECT_TRUE(failed.opened);
    EXPECT_TRUE(failed.readFailed);
    EXPECT_EQ(failed.bytes, 0u);
    EXPECT_EQ(blocks.Profile(), before);
}

}  // namespace
}  // namespace k2q
