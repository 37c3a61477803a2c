// What the keyboard hook delivers and what it keeps from the system, step by step.
#include "kbsnare/KeyGate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k2q::kbsnare {
namespace {

struct Step {
    enum What { Press, Release, On, Off } what;
    std::uint32_t vk = 0;
    bool inFront = true;
    KeyDecision want{};
};

constexpr KeyDecision kPass{false, false};
constexpr KeyDecision kDeliverAndKeep{true, true};
constexpr KeyDecision kDeliverOnly{true, false};
constexpr KeyDecision kKeepOnly{false, true};

struct Case {
    std::string name;
    std::vector<Step> steps;
};

TEST(KeyGate, DeliversAndKeepsWholePressReleasePairs) {
    const Case cases[] = {
        {"off passes everything",
         {{Step::Press, 'A', true, kPass}, {Step::Release, 'A', true, kPass}}},
        {"on and in front: delivered and kept, repeats alike",
         {{Step::On},
          {Step::Press, 0x5B, true, kDeliverAndKeep},
          {Step::Press, 'E', true, kDeliverAndKeep},
          {Step::Press, 'E', true, kDeliverAndKeep},
          {Step::Release, 'E', true, kDeliverAndKeep},
          {Step::Release, 0x5B, true, kDeliverAndKeep}}},
        {"another program in front: passed, not delivered",
         {{Step::On}, {Step::Press, 'A', false, kPass}, {Step::Release, 'A', false, kPass}}},
        {"a key pressed before delivery began: its release is delivered but reaches the system",
         {{Step::Press, 0xA2, true, kPass}, {Step::On}, {Step::Release, 0xA2, true, kDeliverOnly}}},
        {"a kept press is released after the user switched away: still kept and delivered",
         {{Step::On},
          {Step::Press, 0xA4, true, kDeliverAndKeep},
          {Step::Release, 0xA4, false, kDeliverAndKeep}}},
        {"a kept press is released after delivery stopped: kept, not delivered",
         {{Step::On},
          {Step::Press, 'C', true, kDeliverAndKeep},
          {Step::Off},
          {Step::Release, 'C', true, kKeepOnly},
          {Step::Press, 'C', true, kPass},
          {Step::Release, 'C', true, kPass}}},
        {"a kept key repeats into another program: the system sees the press, then its release",
         {{Step::On},
          {Step::Press, 'D', true, kDeliverAndKeep},
          {Step::Press, 'D', false, kPass},
          {Step::Release, 'D', false, kPass}}},
        {"a key held since before delivery began repeats into it: its release reaches the system",
         {{Step::Press, 'E', true, kPass},
          {Step::On},
          {Step::Press, 'E', true, kDeliverAndKeep},
          {Step::Release, 'E', true, kDeliverOnly}}},
        {"codes beyond a byte are neither delivered nor kept",
         {{Step::On}, {Step::Press, 0x141, true, kPass}, {Step::Release, 0x141, true, kPass}}},
    };
    for (const Case& c : cases) {
        KeyGate gate;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            switch (s.what) {
                case Step::On:
                case Step::Off:
                    gate.SetDelivering(s.what == Step::On);
                    break;
                case Step::Press:
                case Step::Release: {
                    const KeyDecision got = gate.OnKey(s.vk, s.what == Step::Release, s.inFront);
                    EXPECT_EQ(got.deliver, s.want.deliver) << c.name << ", step " << i;
                    EXPECT_EQ(got.swallow, s.want.swallow) << c.name << ", step " << i;
                    break;
                }
            }
        }
    }
}

}  // namespace
}  // namespace k2q::kbsnare
