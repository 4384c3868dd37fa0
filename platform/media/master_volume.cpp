#include "platform/media/master_volume.h"

namespace plat::media {

std::uint32_t ComponentTypeOf(MixerLine line) {
    switch (line) {
    case MixerLine::Speakers: return kComponentSpeakers;
    case MixerLine::Microphone: return kComponentMicrophone;
    case MixerLine::WaveOut: return kComponentWaveOut;
    case MixerLine::Synthesizer: return kComponentSynthesizer;
    }
    return kComponentSpeakers;
}

MasterVolume::Result MasterVolume::Run(MixerLine line, std::uint32_t control_type, bool write, std::uint32_t value) {
    Result r;
    if (driver_.DeviceCount() == 0) {
        r.status = -1;
        return r;
    }
    if (const unsigned error = driver_.Open()) {
        r.status = static_cast<int>(error);
        return r;
    }
    std::uint32_t line_id = 0, control_id = 0;
    if (driver_.FindLine(ComponentTypeOf(line), line_id)) {
        if (!driver_.FindControl(line_id, control_type, control_id)) {
            Show("GetLineInfo Error");
        } else if (write) {
            if (!driver_.Write(control_id, value)) Show("SetControlDetails Error");
        } else if (!driver_.Read(control_id, r.value)) {
            r.value = 0;
            Show("GetControlDetails Error");
        }
    }
    r.status = driver_.Close();
    return r;
}

std::uint16_t MasterVolume::GetMixerVolume(MixerLine line) {
    return static_cast<std::uint16_t>(Run(line, kControlVolume, false, 0).value & 0xFFFF);
}

int MasterVolume::SetMixerVolume(MixerLine line, std::uint16_t volume) {
    return Run(line, kControlVolume, true, volume).status;
}

bool MasterVolume::GetMixerMute(MixerLine line) { return Run(line, kControlMute, false, 0).value != 0; }

int MasterVolume::SetMixerMute(MixerLine line, bool muted) {
    return Run(line, kControlMute, true, muted ? 1 : 0).status;
}

} // namespace plat::media
