// The workstation's master volume and mute: four operations on one of four lines of the first
// mixer device. Each operation opens the mixer, does its one job and closes it again.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace plat::media {

// Lines by selector 0..3.
enum class MixerLine : std::uint8_t { Speakers = 0, Microphone = 1, WaveOut = 2, Synthesizer = 3 };

// The mixer's component types of the lines and its control types, as the system numbers them.
enum : std::uint32_t {
    kComponentSpeakers = 4,
    kComponentMicrophone = 0x1003,
    kComponentSynthesizer = 0x1004,
    kComponentWaveOut = 0x1008,
    kControlVolume = 0x50030001,
    kControlMute = 0x20010002,
};
std::uint32_t ComponentTypeOf(MixerLine line);

class IMasterVolume {
public:
    virtual ~IMasterVolume() = default;
    // 0..65535; 0 when it cannot be read.
    virtual std::uint16_t GetMixerVolume(MixerLine line) = 0;
    // -1 without a mixer device, the open error code, else the close status (0).
    virtual int SetMixerVolume(MixerLine line, std::uint16_t volume) = 0;
    // False when not muted or not readable.
    virtual bool GetMixerMute(MixerLine line) = 0;
    virtual int SetMixerMute(MixerLine line, bool muted) = 0;
};

// The mixer device as the operations see it; the system's is WinmmMixerDriver.
class IMixerDriver {
public:
    virtual ~IMixerDriver() = default;
    virtual unsigned DeviceCount() = 0;
    virtual unsigned Open() = 0;  // 0 or the error code
    virtual bool FindLine(std::uint32_t component_type, std::uint32_t& line_id) = 0;
    virtual bool FindControl(std::uint32_t line_id, std::uint32_t control_type, std::uint32_t& control_id) = 0;
    virtual bool Read(std::uint32_t control_id, std::uint32_t& value) = 0;
    virtual bool Write(std::uint32_t control_id, std::uint32_t value) = 0;
    virtual int Close() = 0;  // the close status
};

// Shows one of the operations' three error texts; the station passes a plain message box.
using MixerErrorBox = std::function<void(const std::string& text)>;

class MasterVolume : public IMasterVolume {
public:
    MasterVolume(IMixerDriver& driver, MixerErrorBox box) : driver_(driver), box_(std::move(box)) {}
    std::uint16_t GetMixerVolume(MixerLine line) override;
    int SetMixerVolume(MixerLine line, std::uint16_t volume) override;
    bool GetMixerMute(MixerLine line) override;
    int SetMixerMute(MixerLine line, bool muted) override;

private:
    struct Result {
        int status = 0;
        std::uint32_t value = 0;
    };
    Result Run(MixerLine line, std::uint32_t control_type, bool write, std::uint32_t value);
    void Show(const char* text) {
        if (box_) box_(text);
    }

    IMixerDriver& driver_;
    MixerErrorBox box_;
};

// An in-memory master volume for tests of the windows that use it.
class FakeMasterVolume : public IMasterVolume {
public:
    std::uint16_t volume = 0;
    bool muted = false;
    int set_calls = 0;
    std::uint16_t GetMixerVolume(MixerLine) override { return volume; }
    int SetMixerVolume(MixerLine, std::uint16_t v) override { volume = v; ++set_calls; return 0; }
    bool GetMixerMute(MixerLine) override { return muted; }
    int SetMixerMute(MixerLine, bool m) override { muted = m; ++set_calls; return 0; }
};

} // namespace plat::media
