#include "common/win/Win32Registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

namespace k2q::win {
namespace {

constexpr char16_t kTestKey[] = u"Software\\K2qTests\\Registry";

class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\K2qTests"); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\K2qTests"); }
    Win32Registry registry;
};

TEST_F(Win32RegistryTest, BinaryValuesRoundTripThroughARealKey) {
    EXPECT_EQ(registry.Open(kTestKey), nullptr);
    auto created = registry.Create(kTestKey);
    ASSERT_NE(created, nullptr);
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5};
    ASSERT_TRUE(created->Set(u"Blob", kRegBinary, bytes.data(), bytes.size()));
    created.reset();

    auto key = registry.Open(kTestKey);
    ASSERT_NE(key, nullptr);
    std::uint8_t buffer[8];
    std::memset(buffer, 0xEE, sizeof buffer);
    const RegistryRead read = key->Query(u"Blob", buffer, sizeof buffer);
    EXPECT_EQ(read.status, RegistryStatus::Ok);
    EXPECT_EQ(read.type, kRegBinary);
    EXPECT_EQ(read.size, 5u);
    EXPECT_EQ(std::memcmp(buffer, bytes.data(), 5), 0);
    EXPECT_EQ(buffer[5], 0xEE);  // a shorter value fills only its own bytes
}

TEST_F(Win32RegistryTest, ReadsReportMissingValuesTypesAndValuesTooLong) {
    auto key = registry.Create(kTestKey);
    ASSERT_NE(key, nullptr);
    const DWORD number = 7;
    ASSERT_TRUE(key->Set(u"Number", kRegDword, &number, sizeof number));
    const std::vector<std::uint8_t> big(200, 9);
    ASSERT_TRUE(key->Set(u"Big", kRegBinary, big.data(), big.size()));

    std::uint8_t buffer[104];
    EXPECT_EQ(key->Query(u"Missing", buffer, sizeof buffer).status, RegistryStatus::NotFound);
    const RegistryRead dword = key->Query(u"Number", buffer, sizeof buffer);
    EXPECT_EQ(dword.status, RegistryStatus::Ok);
    EXPECT_EQ(dword.type, kRegDword);
    const RegistryRead tooLong = key->Query(u"Big", buffer, sizeof buffer);
    EXPECT_EQ(tooLong.status, RegistryStatus::MoreData);
    EXPECT_EQ(tooLong.size, 200u);
}

}  // namespace
}  // namespace k2q::win
