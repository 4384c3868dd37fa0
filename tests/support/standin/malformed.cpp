#include <cstring>

#include "tarnlink/wire_format.h"
#include "tests/support/standin/standin_device.h"

namespace standin {
namespace {

void append(std::vector<std::uint8_t>& out, const void* record, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(record);
    out.insert(out.end(), p, p + size);
}

}  // namespace

std::vector<std::uint8_t> make_malformed(Malformed kind, std::uint32_t sequence) {
    namespace wire = tarnlink;
    std::vector<std::uint8_t> out;
    auto heart = [&] {
        const auto r = wire::make_response(wire::DEV_RSP_HEART_ACK, std::int32_t(sequence++));
        append(out, &r, sizeof r);
    };
    switch (kind) {
    case Malformed::Short1043:
        heart();
        out.resize(wire::WireSizes::message - 1);
        break;
    case Malformed::Long1500:
        heart();
        out.resize(1500, 0xA5);
        break;
    case Malformed::Double2088: {
        heart();
        const std::uint8_t data[4] = {1, 2, 3, 4};
        const auto m = wire::make_file_data(0, 0, data, sizeof data);
        append(out, &m, sizeof m);
        break;
    }
    case Malformed::Oversize:
        for (int i = 0; i < 9; ++i) heart();
        break;
    case Malformed::BadMagic: {
        auto r = wire::make_response(wire::DEV_RSP_HEART_ACK, std::int32_t(sequence));
        r.magic = 0xDEADBEEF;
        append(out, &r, sizeof r);
        break;
    }
    case Malformed::UnknownType: {
        const auto r = wire::make_response(99, std::int32_t(sequence));
        append(out, &r, sizeof r);
        break;
    }
    }
    return out;
}

}  // namespace standin
