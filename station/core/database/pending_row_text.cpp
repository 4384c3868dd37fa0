#include "station/core/database/pending_row_text.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace calldb {

namespace {

constexpr char kSeparator = '\t';
constexpr std::string_view kEnd = "#";
constexpr std::size_t kValueCount = 21;

void add_text(std::string& line, std::string_view text) {
    for (char c : text) {
        switch (c) {
        case '\\': line += "\\\\"; break;
        case '\t': line += "\\t"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        default: line += c;
        }
    }
    line += kSeparator;
}

void add_int(std::string& line, std::int32_t value) {
    line += std::to_string(value);
    line += kSeparator;
}

void add_real(std::string& line, double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::isfinite(value) ? value : 0.0);
    line.append(buffer, result.ptr);
    line += kSeparator;
}

bool unescape(std::string_view field, std::string& text) {
    text.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            text += field[i];
            continue;
        }
        if (++i == field.size()) return false;
        switch (field[i]) {
        case '\\': text += '\\'; break;
        case 't': text += '\t'; break;
        case 'n': text += '\n'; break;
        case 'r': text += '\r'; break;
        default: return false;
        }
    }
    return true;
}

bool parse_int(std::string_view field, std::int32_t& value) {
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    return result.ec == std::errc() && result.ptr == field.data() + field.size();
}

bool parse_real(std::string_view field, double& value) {
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    return result.ec == std::errc() && result.ptr == field.data() + field.size();
}

} // namespace

std::string encode_pending_row(const ACallLogInfo& r) {
    std::string line;
    add_text(line, r.LineID);
    add_int(line, r.Chan);
    add_text(line, r.AgentID);
    add_text(line, r.AgentName);
    add_text(line, r.StartDate);
    add_text(line, r.StartTime);
    add_text(line, r.DuringTime);
    add_text(line, r.CallerID);
    add_text(line, r.DTMF);
    add_text(line, r.WaveFilePath);
    add_text(line, r.CNote);
    add_int(line, r.CallType);
    add_int(line, r.Rings);
    add_int(line, r.VIFlag);
    add_int(line, r.BackUpFlag);
    add_text(line, r.SeqID);
    add_int(line, r.VerID);
    add_int(line, r.RingSecs);
    add_real(line, r.TestScore);
    add_int(line, r.MaxScore);
    add_real(line, r.TestGrade);
    line += kEnd;
    return line;
}

bool decode_pending_row(std::string_view line, ACallLogInfo& r) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find(kSeparator, start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos || fields.size() > kValueCount) break;
        start = tab + 1;
    }
    if (fields.size() != kValueCount + 1 || fields.back() != kEnd) return false;
    ACallLogInfo out;
    std::size_t k = 0;
    auto text = [&](std::string& value) { return unescape(fields[k++], value); };
    auto integer = [&](std::int32_t& value) { return parse_int(fields[k++], value); };
    auto real = [&](double& value) { return parse_real(fields[k++], value); };
    const bool read = text(out.LineID) && integer(out.Chan) && text(out.AgentID) && text(out.AgentName) &&
                      text(out.StartDate) && text(out.StartTime) && text(out.DuringTime) && text(out.CallerID) &&
                      text(out.DTMF) && text(out.WaveFilePath) && text(out.CNote) && integer(out.CallType) &&
                      integer(out.Rings) && integer(out.VIFlag) && integer(out.BackUpFlag) && text(out.SeqID) &&
                      integer(out.VerID) && integer(out.RingSecs) && real(out.TestScore) &&
                      integer(out.MaxScore) && real(out.TestGrade);
    if (!read) return false;
    r = std::move(out);
    return true;
}

} // namespace calldb
