#include "controls/model/led_geometry.h"

namespace ec {

namespace {

// Codes 32 to 255, eight to a row, each glyph as its five column bytes (first column in the
// highest byte).
constexpr std::uint64_t kFont[224] = {
    0x0000000000, 0x0000FA0000, 0x00C000C000, 0x287C287C28, 0x2454FE5448, 0x6468102C4C, 0x6C92AA440A, 0x0020C00000,
    0x00007C8200, 0x00827C0000, 0x5438FE3854, 0x10107C1010, 0x0002040000, 0x1010101010, 0x0000020000, 0x0408102040,
    0x7C8A92A27C, 0x0042FE0200, 0x468A929262, 0x449292926C, 0xF0101010FE, 0xF49292928C, 0x7C9292924C, 0xC0808E90E0,
    0x6C9292926C, 0x649292927C, 0x0000240000, 0x0002240000, 0x1028448200, 0x2828282828, 0x0082442810, 0x40809A9060,
    0x7C92AABA70, 0x7E9090907E, 0xFE9292926C, 0x7C82828244, 0xFE8282827C, 0xFE92929282, 0xFE90909080, 0x7C8292925C,
    0xFE101010FE, 0x8282FE8282, 0x04020202FC, 0xFE10284482, 0xFE02020202, 0xFE402040FE, 0xFE201008FE, 0x7C8282827C,
    0xFE90909060, 0x7C8282867E, 0xFE9090906E, 0x649292924C, 0x8080FE8080, 0xFC020202FC, 0xE0180618E0, 0xFC020C02FC,
    0xC6281028C6, 0xC0201E20C0, 0x868A92A2C2, 0x00FE828200, 0x4020100804, 0x008282FE00, 0x2040804020, 0x0202020202,
    0x0000C02000, 0x042A2A2A1E, 0xFE2222221C, 0x1C22222214, 0x1C222222FE, 0x1C2A2A2A18, 0x107E909040, 0x102A2A2A1C,
    0xFE2020201E, 0x0022BE0200, 0x0002BC0000, 0xFE08081422, 0x0082FE0200, 0x3E203E201E, 0x3E2020201E, 0x1C2222221C,
    0x3E28282810, 0x102828283E, 0x3E20202010, 0x122A2A2A24, 0x20FC222200, 0x3C0202023E, 0x3804020438, 0x3C020C023C,
    0x2214081422, 0x2214081020, 0x22262A3222, 0x00106C8200, 0x0000FE0000, 0x00826C1000, 0x4080402040, 0x007C7C7C00,
    0x0000000000, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00, 0x0000000000, 0x0000000000, 0x007C7C7C00,
    0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00,
    0x007C7C7C00, 0x0000000000, 0x0000000000, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00,
    0x007C7C7C00, 0x0000000000, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00, 0x007C7C7C00,
    0x007C7C7C00, 0x0000BE0000, 0x3844FE4428, 0x067A929242, 0x4438283844, 0xD0301E30D0, 0x0000EE0000, 0x52AAAAAA94,
    0x0080008000, 0x7C92AAAA7C, 0x00B4B47400, 0x08142A1422, 0x1010101018, 0x0010101000, 0x7C82BAA27C, 0x8080808080,
    0x0040A04000, 0x0024742400, 0x0090B05000, 0x0088A87000, 0x0000408000, 0x3E04043804, 0x60F0FE80FE, 0x0000100000,
    0x00020A0400, 0x0050F01000, 0x0050B05000, 0x22142A1408, 0xE8102C449E, 0xE81020568A, 0xE8F02C449E, 0x0402B20A04,
    0x1EA868281E, 0x1E2868A81E, 0x1E68A8681E, 0x5EA8A8689E, 0x1EA828A81E, 0x1E28A8281E, 0x7E90FE9292, 0x7884868448,
    0x7884868448, 0x3E2A6AAA22, 0x3E6AAA6A22, 0x3EAA2AAA22, 0x22A27E2222, 0x22227EA222, 0x2262BE6222, 0x22A23EA222,
    0x10FE924438, 0x7E908844BE, 0x1CA2622214, 0x1C2262A214, 0x1C62A26214, 0x5CA2A26294, 0x1CA222A214, 0x0014081400,
    0x7C8A92A27C, 0x7C8242027C, 0x7C0242827C, 0x7C4282427C, 0x7C8202827C, 0x60104E9060, 0x00FE282810, 0x7E9092720C,
    0x04AA6A2A1E, 0x042A6AAA1E, 0x046AAA6A1E, 0x44AAAA6A9E, 0x04AA2AAA1E, 0x042AAA2A1E, 0x042A3E2A1A, 0x1824262400,
    0x1CAA6A2A18, 0x1C2A6AAA18, 0x1C6AAA6A18, 0x1CAA2AAA18, 0x00A27E0200, 0x00227E8200, 0x0062BE4200, 0x00A23E8200,
    0x0CB252B21C, 0x7EA0A0609E, 0x1CA262221C, 0x1C2262A21C, 0x1C62A2621C, 0x5CA2A2629C, 0x1CA222A21C, 0x1010541010,
    0x3A4C5464B8, 0x3C8242023E, 0x3C0242823E, 0x3C4282423E, 0x3C8202823E, 0x2214489020, 0x007E140800, 0x2294089020,
};

constexpr unsigned char kBlockCode = 127;

int text_origin(const LedLayoutInput& in) {
    if (!in.scrolling) return 0;
    switch (in.scroll_type) {
    case TEcScrollType::stRightToLeft:
        return in.dots.pitch() * (in.client_width / in.dots.pitch()) - in.current_step;
    case TEcScrollType::stLeftToRight: return in.current_step - in.dots.cell_width() * in.caption_length;
    default: return 0;
    }
}

bool right_justified(const LedLayoutInput& in) { return in.align == LedAlign::Right && !in.scrolling; }

} // namespace

LedGlyph led_glyph(unsigned char code) {
    const std::uint64_t bits = kFont[(code < 32 ? kBlockCode : code) - 32];
    LedGlyph glyph{};
    for (int c = 0; c < 5; ++c) glyph[c] = static_cast<std::uint8_t>(bits >> (8 * (4 - c)));
    return glyph;
}

bool led_dot_lit(unsigned char code, int row, int column) {
    if (column < 0 || column >= 5 || row < 0 || row >= kLedRows) return false;
    return (led_glyph(code)[column] >> (7 - row)) & 1;
}

LedDots led_dots_for_height(int client_height) {
    LedDots dots;
    dots.size = static_cast<int>(client_height / 7.6);
    if (dots.size <= 0) dots.size = 1;
    dots.gap = static_cast<int>(dots.size * 0.1);
    return dots;
}

int led_steps(const LedDots& dots, int caption_length, int control_width) {
    return dots.cell_width() * caption_length + control_width;
}

bool led_advance(int& current_step, const LedDots& dots, int steps) {
    current_step += dots.pitch();
    if (current_step < steps) return false;
    current_step = 0;
    return true;
}

std::vector<int> led_blank_cells(const LedLayoutInput& in) {
    const int cell = in.dots.cell_width();
    std::vector<int> xs;
    if (right_justified(in)) {
        for (int x = in.client_width - cell; x > -cell; x -= cell) xs.push_back(x);
        return xs;
    }
    int x = 0;
    if (in.align == LedAlign::Center && !in.scrolling)
        x = ((in.client_width - in.caption_length * cell) / 2) % cell - cell;
    for (; x < in.client_width; x += cell) xs.push_back(x);
    return xs;
}

std::vector<int> led_text_cells(const LedLayoutInput& in) {
    const int cell = in.dots.cell_width();
    std::vector<int> xs(static_cast<std::size_t>(in.caption_length));
    if (right_justified(in)) {
        for (int i = 0; i < in.caption_length; ++i) xs[i] = in.client_width - cell * (in.caption_length - i);
        return xs;
    }
    int origin = text_origin(in);
    if (in.align == LedAlign::Center && !in.scrolling) origin = (in.client_width - in.caption_length * cell) / 2;
    for (int i = 0; i < in.caption_length; ++i) xs[i] = origin + cell * i;
    return xs;
}

} // namespace ec
