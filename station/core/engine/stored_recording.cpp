#include "station/core/engine/stored_recording.h"

#include <array>
#include <cstdint>

#include "platform/files.h"
#include "tarnlink/call_record.h"

namespace station {

bool ReadEmbeddedCallInfo(const std::string& path, ftp_callinfo& info) {
    using Layout = tarnlink::EmbeddedRecordLayout;
    plat::File file;
    if (!file.open(path, plat::File::Mode::Read)) return false;
    std::uint8_t format_bytes[2] = {0, 0};
    if (file.read_at(Layout::format_offset, format_bytes, sizeof format_bytes) != 2) return false;
    const auto format = static_cast<std::uint16_t>(format_bytes[0] | format_bytes[1] << 8);
    // Bytes past the end of a short file stay 0, as the library reads them; the checks then fail.
    std::array<std::uint8_t, tarnlink::CallRecordLayout::size> record{};
    if (format == Layout::split_format) {
        if (file.read_at(Layout::split_main_offset, record.data(), Layout::split_main_size) < 0) return false;
        if (file.read_at(Layout::split_tail_offset, record.data() + Layout::split_tail_target,
                         Layout::split_tail_size) < 0) {
            return false;
        }
    } else if (file.read_at(Layout::plain_offset, record.data(), record.size()) < 0) {
        return false;
    }
    return tarnlink::decode_calllog(&info, record.data(), record.size()) == tarnlink::DECODE_OK;
}

} // namespace station
