// The monitor's main window hosted in a test, with the simulated driver and mouse, a fake
// store and a fake clock, so a whole reload runs in milliseconds and every request, wait and
// progress step can be checked; or with the program's own clock, for what happens while a
// reload really waits.
#pragma once

#include <windows.h>

#include <dbt.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/settings/SettingsStore.h"
#include "monitor/app/win/PaintingClock.h"
#include "monitor/app/win/TavikMon.h"
#include "support/FakeClock.h"
#include "support/FakeRegistry.h"
#include "support/win/Win32SimulatedDriver.h"

namespace k2q::monitor {

using testing::FakeRegistry;
using Report = std::array<std::uint8_t, 4>;

// Every wait of the reload, with the progress the popup showed while it lasted.
class ObservingClock : public testing::FakeClock {
  public:
    const CTavikMon* monitor = nullptr;
    struct Wait {
        std::uint32_t ms;
        int progress;
        bool popupFound;
    };
    std::vector<Wait> waits;

    void SleepMilliseconds(std::uint32_t ms) override {
        waits.push_back({ms, monitor ? monitor->progressValue() : -1,
                         ::FindWindowW(nullptr, kProgressWindowTitle) != nullptr});
        FakeClock::SleepMilliseconds(ms);
    }
};

// The system parameter calls, with the progress shown at each and the closing reports sent
// before it.
class RecordingSystem : public SystemParameters {
  public:
    struct Call {
        std::uint32_t action;
        int progress;
        int closingReports;
    };
    std::vector<Call>* calls;
    const CTavikMon* monitor;
    const testing::SimulatedDriver* driver;

    RecordingSystem(std::vector<Call>* c, const CTavikMon* m, const testing::SimulatedDriver* d)
        : calls(c), monitor(m), driver(d) {}
    bool Set(std::uint32_t action, std::uint32_t, void*, std::uint32_t) override {
        calls->push_back({action, monitor->progressValue(), driver->ClosingReports()});
        return true;
    }
    void SendSettingChange(std::uintptr_t, std::intptr_t) override {}
};

class HostedMonitor : public ::testing::Test {
  protected:
    void SetUp() override {
        SetButtonDefaults(buttons);
        buttons.mouse = {3, 3, 500, 5, 1, 1, 1, 1, {0, 0}};
        std::memset(macros.get(), 0, sizeof *macros);
    }
    void TearDown() override { monitor.reset(); }

    // Seeds the store with the test's blocks and starts the monitor on it.
    void Start() {
        registry.SeedStore(buttons, *macros);
        memoryButtons = {};
        memoryMacros = std::make_unique<MacroSetting>();
        MonitorServices services;
        services.registry = &registry;
        services.driverPort = port ? port : &driver;
        services.clock = realClock ? static_cast<Clock*>(&paintingClock) : &clock;
        services.hold = &hold;
        services.osClass = [this] { return osClass; };
        services.systemParameters = [this](HWND) -> std::unique_ptr<SystemParameters> {
            return std::make_unique<RecordingSystem>(&systemCalls, monitor.get(), &driver);
        };
        services.startConfiguration = [this] { ++configStarts; };
        services.texts = {L"K2q", L"Configure", L"Exit", L"Updating", L"Please wait"};
        monitor = std::make_unique<CTavikMon>(std::move(services), memoryButtons, *memoryMacros);
        clock.monitor = monitor.get();
        ASSERT_TRUE(monitor->CreateHidden());
    }

    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageW(monitor->hwnd(), msg, wParam, lParam);
    }

    std::vector<std::uint8_t> Arrival(const std::wstring& name) {
        std::vector<std::uint8_t> buffer(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) +
                                         (name.size() + 1) * sizeof(wchar_t));
        auto* b = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
        b->dbcc_size = static_cast<DWORD>(buffer.size());
        b->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        std::memcpy(b->dbcc_name, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
        return buffer;
    }

    ButtonSetting buttons;
    std::unique_ptr<MacroSetting> macros = std::make_unique<MacroSetting>();
    ButtonSetting memoryButtons{};
    std::unique_ptr<MacroSetting> memoryMacros;
    FakeRegistry registry;
    testing::Win32SimulatedDriver driver;
    DriverPort* port = nullptr;  // in place of the driver, when a test watches its calls
    ObservingClock clock;
    MessageHold hold;
    PaintingClock paintingClock{hold};
    bool realClock = false;  // the program's own clock, whose waits take in messages
    std::vector<RecordingSystem::Call> systemCalls;
    int osClass = 6;
    int configStarts = 0;
    std::unique_ptr<CTavikMon> monitor;
};

}  // namespace k2q::monitor
