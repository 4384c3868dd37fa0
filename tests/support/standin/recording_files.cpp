#include "tests/support/standin/recording_files.h"

#include "tarnlink/call_record.h"

#include <cmath>
#include <cstring>

namespace standin {
namespace {

using Layout = tarnlink::CallRecordLayout;
using Embedded = tarnlink::EmbeddedRecordLayout;

constexpr std::uint32_t kSampleRate = 8000;

void put(std::vector<std::uint8_t>& r, Layout::Field field, const std::string& text) {
    const std::size_t n = text.size() < field.size ? text.size() : field.size;
    std::memcpy(r.data() + field.offset, text.data(), n);
}
// A date or time of three fixed fields from its digits ("yyyyMMdd" or "hhmmss").
void put_split(std::vector<std::uint8_t>& r, Layout::Field a, Layout::Field b, Layout::Field c,
               const std::string& digits) {
    put(r, a, digits.substr(0, a.size));
    if (digits.size() > a.size) put(r, b, digits.substr(a.size, b.size));
    if (digits.size() > a.size + b.size) put(r, c, digits.substr(a.size + b.size, c.size));
}

void put_u32(std::vector<std::uint8_t>& b, std::size_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[offset + i] = std::uint8_t(v >> (8 * i));
}
void put_u16(std::vector<std::uint8_t>& b, std::size_t offset, std::uint16_t v) {
    b[offset] = std::uint8_t(v);
    b[offset + 1] = std::uint8_t(v >> 8);
}
void put_tag(std::vector<std::uint8_t>& b, std::size_t offset, const char (&tag)[5]) {
    std::memcpy(b.data() + offset, tag, 4);
}

std::int16_t tone_sample(std::uint32_t n) {
    constexpr double kPi = 3.14159265358979323846;
    return static_cast<std::int16_t>(8000.0 * std::sin(2.0 * kPi * 440.0 * n / kSampleRate));
}

// IMA ADPCM, the encoder of format 17.
constexpr int kStepTable[89] = {
    7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 19, 21, 23, 25, 28, 31, 34, 37, 41, 45, 50, 55, 60,
    66, 73, 80, 88, 97, 107, 118, 130, 143, 157, 173, 190, 209, 230, 253, 279, 307, 337, 371,
    408, 449, 494, 544, 598, 658, 724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552, 1707,
    1878, 2066, 2272, 2499, 2749, 3024, 3327, 3660, 4026, 4428, 4871, 5358, 5894, 6484, 7132,
    7845, 8630, 9493, 10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623,
    27086, 29794, 32767};
constexpr int kIndexTable[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

struct AdpcmState {
    int predictor = 0;
    int index = 0;
    std::uint8_t encode(int sample) {
        const int step = kStepTable[index];
        int diff = sample - predictor;
        std::uint8_t nibble = 0;
        if (diff < 0) { nibble = 8; diff = -diff; }
        int delta = step >> 3;
        if (diff >= step) { nibble |= 4; diff -= step; delta += step; }
        if (diff >= step >> 1) { nibble |= 2; diff -= step >> 1; delta += step >> 1; }
        if (diff >= step >> 2) { nibble |= 1; delta += step >> 2; }
        predictor += (nibble & 8) ? -delta : delta;
        if (predictor > 32767) predictor = 32767;
        if (predictor < -32768) predictor = -32768;
        index += kIndexTable[nibble];
        if (index < 0) index = 0;
        if (index > 88) index = 88;
        return nibble;
    }
};

constexpr std::uint16_t kAdpcmBlockAlign = 256;
constexpr std::uint16_t kAdpcmSamplesPerBlock = (kAdpcmBlockAlign - 4) * 2 + 1;

std::vector<std::uint8_t> adpcm_blocks(std::uint32_t samples, std::uint32_t& encoded) {
    const std::uint32_t blocks = (samples + kAdpcmSamplesPerBlock - 1) / kAdpcmSamplesPerBlock;
    std::vector<std::uint8_t> out(std::size_t(blocks) * kAdpcmBlockAlign, 0);
    AdpcmState state;
    std::uint32_t n = 0;
    for (std::uint32_t b = 0; b < blocks; ++b) {
        std::uint8_t* block = out.data() + std::size_t(b) * kAdpcmBlockAlign;
        const std::int16_t first = tone_sample(n++);
        state.predictor = first;
        block[0] = std::uint8_t(first);
        block[1] = std::uint8_t(std::uint16_t(first) >> 8);
        block[2] = std::uint8_t(state.index);
        block[3] = 0;
        for (std::size_t i = 4; i < kAdpcmBlockAlign; ++i) {
            const std::uint8_t low = state.encode(tone_sample(n++));
            const std::uint8_t high = state.encode(tone_sample(n++));
            block[i] = std::uint8_t(low | (high << 4));
        }
    }
    encoded = blocks * kAdpcmSamplesPerBlock;
    return out;
}

}  // namespace

std::vector<std::uint8_t> build_call_record(const CallRecordFields& f, std::size_t size,
                                            RecordChecks checks) {
    if (size < Layout::size) size = Layout::size;
    std::vector<std::uint8_t> r(size, 0);
    r[Layout::call_type.offset] = std::uint8_t(f.call_type);
    put_split(r, Layout::start_year, Layout::start_month, Layout::start_day, f.start_date);
    put_split(r, Layout::start_hour, Layout::start_minute, Layout::start_second, f.start_time);
    put(r, Layout::caller_number, f.caller);
    put(r, Layout::dialled_digits, f.dialled);
    put(r, Layout::channel, f.channel);
    put(r, Layout::line, f.line);
    put(r, Layout::agent_name, f.agent);
    put_split(r, Layout::second_year, Layout::second_month, Layout::second_day, f.second_date);
    put_split(r, Layout::second_hour, Layout::second_minute, Layout::second_second, f.second_time);
    put(r, Layout::rings, f.rings);
    put(r, Layout::ring_seconds, f.ring_seconds);
    put(r, Layout::duration, f.duration);
    put(r, Layout::file_name, f.file_name);
    put(r, Layout::number, f.number);
    put(r, Layout::session_number, f.session);
    r[Layout::signed_byte.offset] = std::uint8_t(f.signed_byte);
    put(r, Layout::text, f.text);
    put(r, Layout::signature, tarnlink::CALL_RECORD_SIGNATURE);
    if (!checks.good_signature) r[Layout::signature.offset + Layout::signature.size - 1] = 'X';
    put_u32(r, Layout::db_index.offset, std::uint32_t(f.db_index));
    if (size >= Layout::size_with_note) put(r, Layout::note, f.note);
    seal_call_record(r);
    if (!checks.good_checksum) r[Layout::checksum.offset] ^= 0x01;
    return r;
}

void seal_call_record(std::vector<std::uint8_t>& record) {
    if (record.size() < Layout::checksum.offset + Layout::checksum.size) return;
    put_u32(record, Layout::checksum.offset,
            std::uint32_t(tarnlink::call_record_checksum(record.data())));
}

std::vector<std::uint8_t> make_wav(WavLayout layout, const std::vector<std::uint8_t>& record,
                                   std::uint32_t duration_ms) {
    std::vector<std::uint8_t> rec(Layout::size, 0);
    std::memcpy(rec.data(), record.data(),
                record.size() < Layout::size ? record.size() : Layout::size);
    const std::uint32_t samples = kSampleRate * duration_ms / 1000 + 1;

    std::vector<std::uint8_t> w;
    std::size_t data_chunk = 0;
    std::vector<std::uint8_t> audio;
    if (layout == WavLayout::Pcm) {
        // fmt (16 bytes) ends at 36; a JUNK chunk from 36 holds the record at 58.
        w.assign(366, 0);
        put_tag(w, 12, "fmt ");
        put_u32(w, 16, 16);
        put_u16(w, 20, 1);
        put_u16(w, 22, 1);
        put_u32(w, 24, kSampleRate);
        put_u32(w, 28, kSampleRate * 2);
        put_u16(w, 32, 2);
        put_u16(w, 34, 16);
        put_tag(w, 36, "JUNK");
        put_u32(w, 40, 358 - 44);
        std::memcpy(w.data() + Embedded::plain_offset, rec.data(), Layout::size);
        data_chunk = 358;
        audio.resize(std::size_t(samples) * 2);
        for (std::uint32_t n = 0; n < samples; ++n) {
            const std::uint16_t s = std::uint16_t(tone_sample(n));
            audio[2 * n] = std::uint8_t(s);
            audio[2 * n + 1] = std::uint8_t(s >> 8);
        }
    } else {
        // fmt (20 bytes) ends at 40, fact at 40..51, a JUNK chunk from 52 holds the record:
        // bytes 0..291 at 68 and the 4 bytes at 248 again at 64.
        w.assign(368, 0);
        put_tag(w, 12, "fmt ");
        put_u32(w, 16, 20);
        put_u16(w, Embedded::format_offset, Embedded::split_format);
        put_u16(w, 22, 1);
        put_u32(w, 24, kSampleRate);
        put_u32(w, 28, kSampleRate * kAdpcmBlockAlign / kAdpcmSamplesPerBlock);
        put_u16(w, 32, kAdpcmBlockAlign);
        put_u16(w, 34, 4);
        put_u16(w, 36, 2);
        put_u16(w, 38, kAdpcmSamplesPerBlock);
        put_tag(w, 40, "fact");
        put_u32(w, 44, 4);
        put_tag(w, 52, "JUNK");
        put_u32(w, 56, 360 - 60);
        std::memcpy(w.data() + Embedded::split_main_offset, rec.data(), Embedded::split_main_size);
        std::memcpy(w.data() + Embedded::split_tail_offset, rec.data() + Embedded::split_tail_target,
                    Embedded::split_tail_size);
        data_chunk = 360;
        std::uint32_t encoded = 0;
        audio = adpcm_blocks(samples, encoded);
        put_u32(w, 48, encoded);
    }
    put_tag(w, data_chunk, "data");
    put_u32(w, data_chunk + 4, std::uint32_t(audio.size()));
    w.insert(w.end(), audio.begin(), audio.end());
    if (w.size() % 2) w.push_back(0);
    std::memcpy(w.data(), "RIFF", 4);
    put_u32(w, 4, std::uint32_t(w.size() - 8));
    std::memcpy(w.data() + 8, "WAVE", 4);
    return w;
}

std::vector<std::uint8_t> embedded_record(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> out(Layout::size, 0);
    auto copy = [&](std::size_t from, std::size_t to, std::size_t n) {
        for (std::size_t i = 0; i < n && from + i < file.size(); ++i) out[to + i] = file[from + i];
    };
    const std::size_t tag = Embedded::format_offset;
    const bool split = file.size() >= tag + 2 && (file[tag] | file[tag + 1] << 8) == Embedded::split_format;
    if (split) {
        copy(Embedded::split_main_offset, 0, Embedded::split_main_size);
        copy(Embedded::split_tail_offset, Embedded::split_tail_target, Embedded::split_tail_size);
    } else {
        copy(Embedded::plain_offset, 0, Layout::size);
    }
    return out;
}

std::vector<std::uint8_t> pattern_bytes(std::size_t size, std::uint32_t seed) {
    std::vector<std::uint8_t> out(size);
    std::uint32_t x = seed * 2654435761u + 1;
    for (auto& b : out) {
        x = x * 1664525u + 1013904223u;
        b = std::uint8_t(x >> 24);
    }
    return out;
}

}  // namespace standin
