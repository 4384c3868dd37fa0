// The first mixer device of the Windows multimedia mixer.
#pragma once
#include "platform/media/master_volume.h"

namespace plat::media {

class WinmmMixerDriver : public IMixerDriver {
public:
    WinmmMixerDriver() = default;
    ~WinmmMixerDriver() override;
    WinmmMixerDriver(const WinmmMixerDriver&) = delete;
    WinmmMixerDriver& operator=(const WinmmMixerDriver&) = delete;

    unsigned DeviceCount() override;
    unsigned Open() override;
    bool FindLine(std::uint32_t component_type, std::uint32_t& line_id) override;
    bool FindControl(std::uint32_t line_id, std::uint32_t control_type, std::uint32_t& control_id) override;
    bool Read(std::uint32_t control_id, std::uint32_t& value) override;
    bool Write(std::uint32_t control_id, std::uint32_t value) override;
    int Close() override;

private:
    void* mixer_ = nullptr;  // HMIXER
};

} // namespace plat::media
