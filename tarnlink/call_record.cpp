#include "tarnlink/call_record.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/debug_output.h"

namespace tarnlink {

namespace {

using Field = CallRecordLayout::Field;

// Copies a text field byte for byte up to its first NUL; the destination keeps a NUL.
void copy_text(char* dest, std::size_t dest_size, const std::uint8_t* raw, Field field) {
    const std::size_t limit = std::min(field.size, dest_size - 1);
    const auto* src = reinterpret_cast<const char*>(raw + field.offset);
    const std::size_t n = static_cast<std::size_t>(std::find(src, src + limit, '\0') - src);
    std::memcpy(dest, src, n);
}

// "YYYY-MM-DD" or "hh:mm:ss" from three fixed digit fields.
void join_fields(char* dest, const std::uint8_t* raw, Field a, Field b, Field c, char sep) {
    std::size_t at = 0;
    const Field parts[] = {a, b, c};
    for (std::size_t i = 0; i < 3; ++i) {
        if (i != 0) dest[at++] = sep;
        std::memcpy(dest + at, raw + parts[i].offset, parts[i].size);
        at += parts[i].size;
    }
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// A decimal field read as leading blanks, an optional sign and digits; `fallback` when none.
std::int32_t decimal_field(const std::uint8_t* raw, Field field, std::int32_t fallback) {
    char text[16] = {};
    std::memcpy(text, raw + field.offset, std::min(field.size, sizeof text - 1));
    const char* p = text;
    while (is_blank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (*p < '0' || *p > '9') return fallback;
    std::int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = std::min<std::int64_t>(value * 10 + (*p - '0'),
                                       std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1);
    if (negative) value = -value;
    value = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(value);
}

std::int32_t int_at(const std::uint8_t* raw, std::size_t offset) {
    std::int32_t v;
    std::memcpy(&v, raw + offset, sizeof v);
    return v;
}

} // namespace

std::int32_t call_record_checksum(const std::uint8_t* record) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < CallRecordLayout::summed_bytes; ++i) sum += record[i];
    return static_cast<std::int32_t>(0u - sum);
}

int decode_calllog(ftp_callinfo* out, const std::uint8_t* raw, std::size_t length) {
    using L = CallRecordLayout;
    if (out == nullptr || raw == nullptr || length < L::size) return DECODE_BAD_ARGUMENT;
    if (std::memcmp(raw + L::signature.offset, CALL_RECORD_SIGNATURE, L::signature.size) != 0)
        return DECODE_BAD_SIGNATURE;
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < L::summed_bytes; ++i) sum += raw[i];
    sum += static_cast<std::uint32_t>(int_at(raw, L::checksum.offset));
    if (sum != 0) return DECODE_BAD_CHECKSUM;

    ftp_callinfo info;
    std::memset(&info, 0, sizeof info);
    const char type = static_cast<char>(raw[L::call_type.offset]);
    info.call_type = (type >= '0' && type <= '3') ? type - '0' : 3;
    join_fields(info.start_date, raw, L::start_year, L::start_month, L::start_day, '-');
    join_fields(info.start_time, raw, L::start_hour, L::start_minute, L::start_second, ':');
    copy_text(info.caller_number, sizeof info.caller_number, raw, L::caller_number);
    copy_text(info.dialled_digits, sizeof info.dialled_digits, raw, L::dialled_digits);
    info.channel = decimal_field(raw, L::channel, 1);
    copy_text(info.line, sizeof info.line, raw, L::line);
    copy_text(info.agent_name, sizeof info.agent_name, raw, L::agent_name);
    if (length >= L::size_with_note) copy_text(info.note, sizeof info.note, raw, L::note);
    join_fields(info.second_date, raw, L::second_year, L::second_month, L::second_day, '-');
    join_fields(info.second_time, raw, L::second_hour, L::second_minute, L::second_second, ':');
    info.rings = decimal_field(raw, L::rings, 0);
    info.ring_seconds = decimal_field(raw, L::ring_seconds, 0);
    info.duration = decimal_field(raw, L::duration, 0);
    copy_text(info.file_name, sizeof info.file_name, raw, L::file_name);
    info.number = decimal_field(raw, L::number, 0);
    copy_text(info.text, sizeof info.text, raw, L::text);
    copy_text(info.session_number, sizeof info.session_number, raw, L::session_number);
    info.signed_byte = static_cast<std::int8_t>(raw[L::signed_byte.offset]);
    info.iIndexOfDB = int_at(raw, L::db_index.offset);
    *out = info;

    char line[64];
    std::snprintf(line, sizeof line, "decode calllog, iIndexOfDB: %d\r\n", info.iIndexOfDB);
    plat::debug_output(line);
    return DECODE_OK;
}

} // namespace tarnlink
