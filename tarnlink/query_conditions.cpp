#include "tarnlink/query_conditions.h"

#include <algorithm>
#include <cstring>

namespace tarnlink {

namespace {

class SlotWriter {
public:
    explicit SlotWriter(std::uint8_t* area) : area_(area) {}
    // Starts the next slot for `item`; data goes after the item number.
    void begin(int item) {
        at_ = area_ + QueryConditionLayout::slot * count_++;
        at_[0] = static_cast<std::uint8_t>(item);
        used_ = 1;
    }
    void bytes(const void* data, std::size_t size) {
        std::memcpy(at_ + used_, data, size);
        used_ += size;
    }
    void int_le(std::int32_t v) { bytes(&v, sizeof v); }
    void u16_high_first(std::int32_t v) {
        const std::uint8_t b[2] = {static_cast<std::uint8_t>((v >> 8) & 0xFF),
                                   static_cast<std::uint8_t>(v & 0xFF)};
        bytes(b, 2);
    }
    void u16_low_first(std::uint16_t v) {
        const std::uint8_t b[2] = {static_cast<std::uint8_t>(v & 0xFF),
                                   static_cast<std::uint8_t>(v >> 8)};
        bytes(b, 2);
    }
    int count() const { return static_cast<int>(count_); }

private:
    std::uint8_t* area_;
    std::uint8_t* at_ = nullptr;
    std::size_t used_ = 0;
    std::size_t count_ = 0;
};

} // namespace

int encode_query_conditions(const ftp_queryparams& p,
                            std::uint8_t (&area)[QueryConditionLayout::area]) {
    std::memset(area, 0, sizeof area);
    SlotWriter w(area);
    if (p.item1_enable) { w.begin(1); w.int_le(p.item1_first); w.int_le(p.item1_second); }
    if (p.item2_enable) { w.begin(2); w.bytes(p.item2_first, 14); w.bytes(p.item2_second, 14); }
    if (p.item3_enable) { w.begin(3); w.bytes(p.item3_data, sizeof p.item3_data); }
    if (p.item4_enable) { w.begin(4); w.bytes(p.item4_text, 30); }
    if (p.item5_enable) { w.begin(5); w.bytes(p.item5_text, 30); }
    if (p.item6_enable) { w.begin(6); w.bytes(p.item6_text, 30); }
    if (p.item7_enable) { w.begin(7); w.bytes(p.item7_text, sizeof p.item7_text); }
    if (p.item10_enable) { w.begin(10); w.u16_high_first(p.item10_lower); w.u16_high_first(p.item10_upper); }
    if (p.item11_enable) { w.begin(11); w.u16_high_first(p.item11_lower); w.u16_high_first(p.item11_upper); }
    if (p.item8_enable) { w.begin(8); w.bytes(p.item8_text, 30); }
    if (p.item9_enable) { w.begin(9); w.u16_low_first(p.item9_value); }
    return w.count();
}

void query_part_payload(const std::uint8_t (&area)[QueryConditionLayout::area], int part,
                        std::uint8_t (&payload)[WireSizes::command_payload]) {
    std::memset(payload, 0, sizeof payload);
    if (part < 1) return;
    const std::size_t start = QueryConditionLayout::part_step * static_cast<std::size_t>(part - 1);
    if (start >= sizeof area) return;
    std::memcpy(payload, area + start, std::min(sizeof payload, sizeof area - start));
}

} // namespace tarnlink
