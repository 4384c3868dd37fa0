#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "platform/media/master_volume.h"

namespace plat::media {
namespace {

// A mixer device whose lines, controls and failures a case chooses.
class ScriptedMixer : public IMixerDriver {
public:
    unsigned devices = 1;
    unsigned open_error = 0;
    bool has_line = true, has_control = true, read_ok = true, write_ok = true;
    std::map<std::uint32_t, std::uint32_t> values;  // by control type
    int opens = 0, closes = 0;
    std::vector<std::uint32_t> lines_asked;

    unsigned DeviceCount() override { return devices; }
    unsigned Open() override { ++opens; return open_error; }
    bool FindLine(std::uint32_t type, std::uint32_t& id) override {
        lines_asked.push_back(type);
        id = 77;
        return has_line;
    }
    bool FindControl(std::uint32_t line, std::uint32_t type, std::uint32_t& id) override {
        id = type;
        return has_control && line == 77;
    }
    bool Read(std::uint32_t id, std::uint32_t& value) override {
        value = values[id];
        return read_ok;
    }
    bool Write(std::uint32_t id, std::uint32_t value) override {
        if (write_ok) values[id] = value;
        return write_ok;
    }
    int Close() override { ++closes; return 0; }
};

struct MixerCase {
    const char* name;
    void (*setup)(ScriptedMixer&);
    std::uint16_t volume;   // read after a write of 40000
    bool muted;             // read after a write of true
    int set_status;
    std::vector<std::string> boxes;
};

TEST(MasterVolumeSteps, FailuresBySilentOrBoxedStep) {
    const MixerCase cases[] = {
        {"working", [](ScriptedMixer&) {}, 40000, true, 0, {}},
        {"no sound card", [](ScriptedMixer& m) { m.devices = 0; }, 0, false, -1, {}},
        {"mixer will not open", [](ScriptedMixer& m) { m.open_error = 11; }, 0, false, 11, {}},
        {"no such line", [](ScriptedMixer& m) { m.has_line = false; }, 0, false, 0, {}},
        {"no control", [](ScriptedMixer& m) { m.has_control = false; }, 0, false, 0,
         {"GetLineInfo Error", "GetLineInfo Error", "GetLineInfo Error", "GetLineInfo Error"}},
        {"reads fail", [](ScriptedMixer& m) { m.read_ok = false; }, 0, false, 0,
         {"GetControlDetails Error", "GetControlDetails Error"}},
        {"writes fail", [](ScriptedMixer& m) { m.write_ok = false; }, 0, false, 0,
         {"SetControlDetails Error", "SetControlDetails Error"}},
    };
    for (const MixerCase& c : cases) {
        ScriptedMixer mixer;
        c.setup(mixer);
        std::vector<std::string> boxes;
        MasterVolume volume(mixer, [&](const std::string& text) { boxes.push_back(text); });
        EXPECT_EQ(volume.SetMixerVolume(MixerLine::Speakers, 40000), c.set_status) << c.name;
        EXPECT_EQ(volume.SetMixerMute(MixerLine::Speakers, true), c.set_status) << c.name;
        EXPECT_EQ(volume.GetMixerVolume(MixerLine::Speakers), c.volume) << c.name;
        EXPECT_EQ(volume.GetMixerMute(MixerLine::Speakers), c.muted) << c.name;
        EXPECT_EQ(boxes, c.boxes) << c.name;
        EXPECT_EQ(mixer.opens - (mixer.open_error ? 4 : 0), mixer.closes) << c.name;  // every open is closed
    }
}

TEST(MasterVolumeSteps, LinesByComponentTypeAndLow16Bits) {
    ScriptedMixer mixer;
    MasterVolume volume(mixer, nullptr);
    mixer.values[kControlVolume] = 0x1FFFF;
    EXPECT_EQ(volume.GetMixerVolume(MixerLine::Speakers), 0xFFFF);
    volume.GetMixerVolume(MixerLine::Microphone);
    volume.GetMixerVolume(MixerLine::WaveOut);
    volume.GetMixerVolume(MixerLine::Synthesizer);
    EXPECT_EQ(mixer.lines_asked, (std::vector<std::uint32_t>{4, 0x1003, 0x1008, 0x1004}));
}

} // namespace
} // namespace plat::media
