// The monitor's main window hosted in a benchmark with the simulated driver and mouse, the real
// clock and input, an in-memory store and no system parameter changes, so what is measured is
// the monitor's own work and the waits it must make.
#pragma once

#include <windows.h>

#include <cstring>
#include <memory>

#include "common/settings/SettingsStore.h"
#include "monitor/app/win/PaintingClock.h"
#include "monitor/app/win/TavikMon.h"
#include "support/FakeRegistry.h"
#include "support/win/Win32SimulatedDriver.h"

namespace k2q::bench {

class NoSystemChanges : public SystemParameters {
public:
    bool Set(std::uint32_t, std::uint32_t, void*, std::uint32_t) override { return true; }
    void SendSettingChange(std::uintptr_t, std::intptr_t) override {}
};

struct MonitorHost {
    explicit MonitorHost(const ButtonSetting& stored) {
        auto noMacros = std::make_unique<MacroSetting>();
        std::memset(noMacros.get(), 0, sizeof *noMacros);
        registry.SeedStore(stored, *noMacros);

        monitor::MonitorServices services;
        services.registry = &registry;
        services.driverPort = &driver;
        services.clock = &clock;
        services.hold = &hold;
        services.osClass = [] { return 6; };
        services.systemParameters = [](HWND) -> std::unique_ptr<SystemParameters> {
            return std::make_unique<NoSystemChanges>();
        };
        services.startConfiguration = [] {};
        services.texts = {L"K2q", L"Config", L"Exit", L"Updating the mouse", L"Please wait"};
        window = std::make_unique<monitor::CTavikMon>(std::move(services), buttons, *macros);
        window->CreateHidden();
    }

    testing::FakeRegistry registry;
    testing::Win32SimulatedDriver driver;
    monitor::MessageHold hold;
    monitor::PaintingClock clock{hold};
    ButtonSetting buttons{};
    std::unique_ptr<MacroSetting> macros = std::make_unique<MacroSetting>();
    std::unique_ptr<monitor::CTavikMon> window;
};

}  // namespace k2q::bench
