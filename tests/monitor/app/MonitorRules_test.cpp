#include "monitor/app/MonitorRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k2q::monitor {
namespace {

class RecordingReload : public ReloadActions {
  public:
    std::vector<std::string> steps;

    void ReloadStore() override { steps.push_back("store"); }
    void SendWheelReportIfOpen() override { steps.push_back("wheel"); }
    void ShowProgress() override { steps.push_back("show"); }
    void SetProgress(int v) override { steps.push_back(std::to_string(v)); }
    void ProgramButtons() override { steps.push_back("buttons"); }
    void ProgramCpiLevels() override { steps.push_back("cpi"); }
    void SendClosingReport() override { steps.push_back("closing"); }
    void Wait(std::uint32_t ms) override { steps.push_back("wait " + std::to_string(ms)); }
    void ApplySystemMouseParams(const std::function<void(int)>& progress) override {
        steps.push_back("system");
        for (int v : {85, 90, 95}) {
            progress(v);
        }
    }
    void CloseProgress() override { steps.push_back("close"); }
};

TEST(Reload, FlagsChooseTheStepsAndTheOrderNeverChanges) {
    using S = std::vector<std::string>;
    const struct {
        std::uint32_t flags;
        S steps;
    } cases[] = {
        {0, S{"store", "wheel", "show", "0", "40", "closing", "wait 3000", "80", "100", "close"}},
        {7, S{"store", "wheel", "show", "0", "buttons", "40", "cpi", "closing", "wait 3000", "80",
              "system", "85", "90", "95", "100", "close"}},
        {1, S{"store", "wheel", "show", "0", "buttons", "40", "closing", "wait 3000", "80", "100",
              "close"}},
        {6, S{"store", "wheel", "show", "0", "40", "cpi", "closing", "wait 3000", "80", "system",
              "85", "90", "95", "100", "close"}},
    };
    for (const auto& c : cases) {
        RecordingReload reload;
        RunReload(reload, c.flags);
        EXPECT_EQ(reload.steps, c.steps) << "flags " << c.flags;
    }
}

TEST(DeviceArrival, OnlyTheMouseInterfaceNameMatchesInAnyCase) {
    const struct {
        std::u16string name;
        bool mouse;
    } cases[] = {
        {u"\\\\?\\USB#VID_1BCF&PID_4C2E#5&1a2b#{a5dcbf10-6530-11d2-901f-00c04fb951ed}", true},
        {u"\\\\?\\usb#vid_1bcf&pid_4c2e&mi_00", true},
        {u"\\\\?\\USB#VID_046D&PID_C52B#6&2c", false},
        {u"VID_1bcf&PID_4c2", false},
        {u"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsMouseInterfaceName(c.name), c.mouse);
    }
}

TEST(SessionChange, LockAndUnlockActOnlyFromVistaOn) {
    using A = SessionAction;
    const struct {
        int osClass;
        std::uint32_t code;
        A action;
    } cases[] = {
        {6, 1, A::OpenDevice}, {6, 2, A::CloseDevice}, {6, 7, A::CloseDevice},
        {6, 8, A::OpenDevice}, {5, 7, A::CloseDevice}, {5, 8, A::OpenDevice},
        {4, 1, A::OpenDevice}, {4, 2, A::CloseDevice}, {4, 7, A::None},
        {4, 8, A::None},       {0, 7, A::None},        {6, 3, A::None},
        {6, 5, A::None},       {6, 0, A::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SessionChangeAction(c.osClass, c.code), c.action)
            << "class " << c.osClass << " code " << c.code;
    }
}

}  // namespace
}  // namespace k2q::monitor
