#include "config/buttons/LeaderLines.h"

#include "common/settings/ButtonSetting.h"

namespace k2q::config {
namespace {

namespace page = skin::button_page;
constexpr skin::Line kLeft[] = {page::kLeader0a, page::kLeader0b};
constexpr skin::Line kWheel[] = {page::kLeader1};
constexpr skin::Line kRight[] = {page::kLeader2a, page::kLeader2b};
constexpr skin::Line kFirstSide[] = {page::kLeader3};
constexpr skin::Line kSecondSide[] = {page::kLeader4};

}  // namespace

std::span<const skin::Line> LeaderLinesOf(int label) {
    switch (label) {
        case kLeftButton:
            return kLeft;
        case kWheelButton:
            return kWheel;
        case kRightButton:
            return kRight;
        case kFirstSideButton:
            return kFirstSide;
        case kSecondSideButton:
            return kSecondSide;
        default:
            return {};
    }
}

}  // namespace k2q::config
