#include "monitor/app/MonitorRules.h"

#include <algorithm>

namespace k2q::monitor {

void RunReload(ReloadActions& a, std::uint32_t flags) {
    a.ReloadStore();
    a.SendWheelReportIfOpen();
    a.ShowProgress();
    a.SetProgress(0);
    if (flags & kReloadProgramButtons) {
        a.ProgramButtons();
    }
    a.SetProgress(40);
    if (flags & kReloadProgramCpi) {
        a.ProgramCpiLevels();
    }
    a.SendClosingReport();
    a.Wait(kClosingReportWaitMs);
    a.SetProgress(80);
    if (flags & kReloadApplySystemParams) {
        a.ApplySystemMouseParams([&a](int value) { a.SetProgress(value); });
    }
    a.SetProgress(100);
    a.CloseProgress();
}

bool IsMouseInterfaceName(std::u16string_view name) {
    constexpr std::u16string_view kIds = u"vid_1bcf&pid_4c2e";
    const auto lower = [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    };
    return std::search(name.begin(), name.end(), kIds.begin(), kIds.end(),
                       [&](char16_t a, char16_t b) { return lower(a) == b; }) != name.end();
}

SessionAction SessionChangeAction(int osClass, std::uint32_t code) {
    const bool lockCloses = osClass == 5 || osClass == 6;
    switch (code) {
        case 1:  // console connect
            return SessionAction::OpenDevice;
        case 2:  // console disconnect
            return SessionAction::CloseDevice;
        case 7:  // session lock
            return lockCloses ? SessionAction::CloseDevice : SessionAction::None;
        case 8:  // session unlock
            return lockCloses ? SessionAction::OpenDevice : SessionAction::None;
        default:
            return SessionAction::None;
    }
}

}  // namespace k2q::monitor
