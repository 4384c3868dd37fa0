// The skin archive: named members (bitmaps and one ini description) inside a compressed skin
// stream. The reader unpacks once and hands out members by name; the writer builds the bytes
// our packer stores.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// The archive versions known to the programs and the block each skips after the header.
constexpr std::int32_t kArchiveVersionWritten = 70000;
std::optional<int> SkippedBlockSize(std::int32_t version);
constexpr std::size_t kArchiveHeaderSize = 16;
constexpr std::size_t kMaxMembers = 1001;

class TSkinReader {
public:
    struct LoadResult {
        std::string error;  // empty on success
        bool unknown_version = false;  // the header names a version the programs do not know
        bool ok() const { return error.empty(); }
    };

    // Decodes the stored bytes and indexes the archive. On any fault the reader holds no
    // members and the result names the fault; nothing throws.
    LoadResult LoadArchive(const std::uint8_t* stored, std::size_t size);
    LoadResult LoadArchive(const std::vector<std::uint8_t>& stored) { return LoadArchive(stored.data(), stored.size()); }
    // Indexes already decoded archive bytes.
    LoadResult LoadDecoded(std::vector<std::uint8_t> archive);

    // The member whose name equals `name` lower-cased; empty when none does.
    std::vector<std::uint8_t> GetMember(std::string_view name) const;
    struct Found {
        std::string name;
        std::vector<std::uint8_t> bytes;
    };
    // The first member whose name contains `text` as given.
    std::optional<Found> FindMember(std::string_view text) const;

    std::int32_t Version() const { return version_; }
    const std::vector<std::string>& Names() const { return names_; }
    std::int32_t Size(std::size_t index) const { return sizes_[index]; }

private:
    void Clear();
    std::vector<std::uint8_t> MemberBytes(std::size_t index) const;

    std::int32_t version_ = 0;
    std::vector<std::string> names_;
    std::vector<std::int32_t> sizes_;
    std::vector<std::size_t> offsets_;  // into members_, by index
    std::vector<std::uint8_t> members_;
};

// Splits a name list into names: lines end at CR, LF or CR LF, a NUL ends the text, a final
// line end adds no line; ASCII letters are lower-cased.
std::vector<std::string> SplitNameList(std::string_view text);

struct ArchiveMember {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// Why `name` cannot be stored by our packer, or nothing: names are looked up by the programs
// but a foreign unpacker might use them as paths, so only bare lower-case ASCII names ending
// ".bmp" or ".ini" pass.
std::optional<std::string> MemberNameFault(std::string_view name);

struct WriteResult {
    std::vector<std::uint8_t> archive;  // the uncompressed archive bytes
    std::string error;
    bool ok() const { return error.empty(); }
};
// Archive bytes of version 70000 holding `members` in the given order. Refuses names that
// MemberNameFault refuses, duplicates, and archives the reader would refuse as too large.
WriteResult WriteArchive(const std::vector<ArchiveMember>& members);

} // namespace skin
