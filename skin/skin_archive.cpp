#include "skin/skin_archive.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <set>

#include "skin/lzh_stream.h"

namespace skin {
namespace {

std::int32_t ReadInt32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                     static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

} // namespace

std::optional<int> SkippedBlockSize(std::int32_t version) {
    switch (version) {
    case 20000: return 0;
    case 30000: return 256;
    case 40000: return 80;
    case 50000: return 48;
    case 60000: return 117;
    case 70000: return 69;
    default: return std::nullopt;
    }
}

std::vector<std::string> SplitNameList(std::string_view text) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        names.push_back(LowerAscii(text.substr(start, i - start)));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) names.push_back(LowerAscii(text.substr(start)));
    return names;
}

void TSkinReader::Clear() {
    version_ = 0;
    names_.clear();
    sizes_.clear();
    offsets_.clear();
    members_.clear();
}

TSkinReader::LoadResult TSkinReader::LoadArchive(const std::uint8_t* stored, std::size_t size) {
    Clear();
    DecodeResult decoded = LzhDecode(stored, size);
    if (!decoded.ok()) return {decoded.error};
    return LoadDecoded(std::move(decoded.bytes));
}

TSkinReader::LoadResult TSkinReader::LoadDecoded(std::vector<std::uint8_t> archive) {
    Clear();
    const std::size_t total = archive.size();
    if (total < kArchiveHeaderSize) return {"skin archive shorter than its header"};
    const std::int32_t version = ReadInt32(archive.data());
    const std::int32_t list_length = ReadInt32(archive.data() + 4);
    const std::optional<int> skipped = SkippedBlockSize(version);
    if (!skipped) return {"skin archive of unknown version " + std::to_string(version), true};
    if (list_length < 0) return {"skin archive name list of negative length"};
    const std::size_t list_start = kArchiveHeaderSize + static_cast<std::size_t>(*skipped);
    if (list_start > total || static_cast<std::size_t>(list_length) > total - list_start)
        return {"skin archive name list passes the end"};
    const std::string_view list(reinterpret_cast<const char*>(archive.data() + list_start),
                                static_cast<std::size_t>(list_length));
    try {
        std::vector<std::string> names = SplitNameList(list);
        if (names.size() > kMaxMembers)
            return {"skin archive of " + std::to_string(names.size()) + " members, more than " +
                    std::to_string(kMaxMembers)};
        const std::size_t table_start = list_start + static_cast<std::size_t>(list_length);
        if (names.size() * 4 > total - table_start) return {"skin archive size table passes the end"};
        const std::size_t data_start = table_start + names.size() * 4;
        std::vector<std::int32_t> sizes;
        std::vector<std::size_t> offsets;
        std::uint64_t sum = 0;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::int32_t s = ReadInt32(archive.data() + table_start + 4 * i);
            if (s < 0) return {"skin archive member \"" + names[i] + "\" of negative size"};
            offsets.push_back(static_cast<std::size_t>(sum));
            sizes.push_back(s);
            sum += static_cast<std::uint64_t>(s);
        }
        if (sum > total - data_start) return {"skin archive members pass the end"};
        archive.erase(archive.begin(), archive.begin() + static_cast<std::ptrdiff_t>(data_start));
        version_ = version;
        names_ = std::move(names);
        sizes_ = std::move(sizes);
        offsets_ = std::move(offsets);
        members_ = std::move(archive);
    } catch (const std::bad_alloc&) {
        Clear();
        return {"out of memory indexing the skin archive"};
    }
    return {};
}

std::vector<std::uint8_t> TSkinReader::MemberBytes(std::size_t index) const {
    const auto first = members_.begin() + static_cast<std::ptrdiff_t>(offsets_[index]);
    return std::vector<std::uint8_t>(first, first + sizes_[index]);
}

std::vector<std::uint8_t> TSkinReader::GetMember(std::string_view name) const {
    const std::string wanted = LowerAscii(name);
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == wanted) return MemberBytes(i);
    return {};
}

std::optional<TSkinReader::Found> TSkinReader::FindMember(std::string_view text) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i].find(text) != std::string::npos) return Found{names_[i], MemberBytes(i)};
    return std::nullopt;
}

std::optional<std::string> MemberNameFault(std::string_view name) {
    const std::string shown = "member name \"" + std::string(name) + "\"";
    if (name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos)
        return shown + " holds a folder separator";
    if (name.find("..") != std::string_view::npos) return shown + " holds \"..\"";
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u == '\r' || u == '\n' || u == 0) return shown + " holds a line end or NUL";
        if (u >= 0x80) return shown + " is not ASCII";
        if (u < 0x20 || u == 0x7F) return shown + " holds a control character";
        if (c >= 'A' && c <= 'Z') return shown + " is not lower case";
    }
    if (!EndsWith(name, ".bmp") && !EndsWith(name, ".ini")) return shown + " ends neither in .bmp nor in .ini";
    return std::nullopt;
}

WriteResult WriteArchive(const std::vector<ArchiveMember>& members) {
    WriteResult result;
    if (members.size() > kMaxMembers) {
        result.error = "more than " + std::to_string(kMaxMembers) + " members";
        return result;
    }
    std::set<std::string> seen;
    std::string list;
    std::uint64_t total = kArchiveHeaderSize + static_cast<std::uint64_t>(*SkippedBlockSize(kArchiveVersionWritten));
    for (const ArchiveMember& m : members) {
        if (auto fault = MemberNameFault(m.name)) {
            result.error = *fault;
            return result;
        }
        if (!seen.insert(m.name).second) {
            result.error = "member name \"" + m.name + "\" appears twice";
            return result;
        }
        list += m.name + "\r\n";
        total += 4 + m.name.size() + 2 + m.bytes.size();
    }
    if (total > kMaxDecodedSize) {
        result.error = "archive of " + std::to_string(total) + " bytes, more than a skin may hold";
        return result;
    }
    std::vector<std::uint8_t>& out = result.archive;
    out.reserve(static_cast<std::size_t>(total));
    AppendInt32(out, kArchiveVersionWritten);
    AppendInt32(out, static_cast<std::int32_t>(list.size()));
    out.resize(kArchiveHeaderSize + static_cast<std::size_t>(*SkippedBlockSize(kArchiveVersionWritten)), 0);
    out.insert(out.end(), list.begin(), list.end());
    for (const ArchiveMember& m : members) AppendInt32(out, static_cast<std::int32_t>(m.bytes.size()));
    for (const ArchiveMember& m : members) out.insert(out.end(), m.bytes.begin(), m.bytes.end());
    return result;
}

} // namespace skin
