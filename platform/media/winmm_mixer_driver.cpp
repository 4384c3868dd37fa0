#include "platform/media/winmm_mixer_driver.h"

#include <windows.h>
#include <mmsystem.h>

namespace plat::media {
namespace {

HMIXEROBJ object_of(void* mixer) { return reinterpret_cast<HMIXEROBJ>(mixer); }

// One channel of one 32-bit value: the volume's unsigned and the mute's boolean are both 4 bytes.
MIXERCONTROLDETAILS one_value(std::uint32_t control_id, DWORD* value) {
    MIXERCONTROLDETAILS d{};
    d.cbStruct = sizeof d;
    d.dwControlID = control_id;
    d.cChannels = 1;
    d.cMultipleItems = 0;
    d.cbDetails = sizeof(DWORD);
    d.paDetails = value;
    return d;
}

} // namespace

WinmmMixerDriver::~WinmmMixerDriver() { Close(); }

unsigned WinmmMixerDriver::DeviceCount() { return mixerGetNumDevs(); }

unsigned WinmmMixerDriver::Open() {
    Close();
    HMIXER handle = nullptr;
    const MMRESULT r = mixerOpen(&handle, 0, 0, 0, MIXER_OBJECTF_MIXER);
    if (r != MMSYSERR_NOERROR) return r;
    mixer_ = handle;
    return 0;
}

bool WinmmMixerDriver::FindLine(std::uint32_t component_type, std::uint32_t& line_id) {
    MIXERLINEW line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = component_type;
    if (mixerGetLineInfoW(object_of(mixer_), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR)
        return false;
    line_id = line.dwLineID;
    return true;
}

bool WinmmMixerDriver::FindControl(std::uint32_t line_id, std::uint32_t control_type, std::uint32_t& control_id) {
    MIXERCONTROLW control{};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSW controls{};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line_id;
    controls.dwControlType = control_type;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    if (mixerGetLineControlsW(object_of(mixer_), &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
        MMSYSERR_NOERROR)
        return false;
    control_id = control.dwControlID;
    return true;
}

bool WinmmMixerDriver::Read(std::uint32_t control_id, std::uint32_t& value) {
    DWORD v = 0;
    MIXERCONTROLDETAILS d = one_value(control_id, &v);
    if (mixerGetControlDetailsW(object_of(mixer_), &d, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) !=
        MMSYSERR_NOERROR)
        return false;
    value = v;
    return true;
}

bool WinmmMixerDriver::Write(std::uint32_t control_id, std::uint32_t value) {
    DWORD v = value;
    MIXERCONTROLDETAILS d = one_value(control_id, &v);
    return mixerSetControlDetails(object_of(mixer_), &d, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) ==
           MMSYSERR_NOERROR;
}

int WinmmMixerDriver::Close() {
    if (!mixer_) return 0;
    const MMRESULT r = mixerClose(static_cast<HMIXER>(mixer_));
    mixer_ = nullptr;
    return static_cast<int>(r);
}

} // namespace plat::media
