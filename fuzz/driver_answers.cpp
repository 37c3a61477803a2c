// A driver that answers anything: every open, result, count and answer byte comes from the
// input. The channel's device half and on-device programming must take it all without reading
// or writing outside their buffers.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "common/platform/Clock.h"
#include "common/settings/ButtonSetting.h"
#include "monitor/device/ButtonProgramming.h"
#include "monitor/device/DriverConnection.h"

namespace {

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::size_t Count() {
        const std::uint8_t b = Byte();
        // Mostly small counts, sometimes absurd ones.
        return b < 0xF0 ? b % 8 : std::size_t{1} << (b - 0xD0);
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

class AnyDriver : public k2q::DriverPort {
  public:
    explicit AnyDriver(Input& in) : in_(in) {}
    k2q::DeviceHandle Open() override { return in_.Byte() % 4; }
    void Close(k2q::DeviceHandle) override {}
    std::optional<std::size_t> Control(k2q::DeviceHandle, std::uint32_t,
                                       std::span<const std::uint8_t> input,
                                       std::span<std::uint8_t> output) override {
        std::uint8_t sum = 0;
        for (std::uint8_t b : input) {
            sum = static_cast<std::uint8_t>(sum + b);  // the whole input is readable
        }
        for (std::uint8_t& b : output) {
            b = static_cast<std::uint8_t>(in_.Byte() ^ sum);
        }
        if (in_.Byte() & 1) {
            return std::nullopt;
        }
        return in_.Count();
    }

  private:
    Input& in_;
};

class NoWait : public k2q::Clock {
  public:
    std::int64_t NowMicroseconds() override { return 0; }
    void SleepMilliseconds(std::uint32_t) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    k2q::ButtonSetting setting;
    std::memset(&setting, 0, sizeof setting);
    const std::size_t settingBytes = size < sizeof setting ? size : sizeof setting;
    std::memcpy(&setting, data, settingBytes);
    Input in(data + settingBytes, size - settingBytes);

    AnyDriver driver(in);
    k2q::DriverConnection device(driver);
    NoWait clock;
    device.Open(in.Byte());
    device.SetWheelReport(k2q::WheelReportFlag(setting));
    for (int i = in.Byte() % 8; i > 0; --i) {
        device.FetchEvent();
    }
    k2q::ProgramButtons(device, clock, setting, in.Byte() % 8);
    k2q::ProgramCpiLevels(device, clock, setting.mouse);
    k2q::SendClosingReport(device);
    device.Close();
    return 0;
}
