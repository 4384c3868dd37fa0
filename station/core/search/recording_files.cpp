#include "station/core/search/recording_files.h"

#include <vector>

#include "platform/files.h"
#include "station/core/recording_lookup.h"

namespace station {
namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool plain_component(const std::string& part) {
    if (part.empty()) return false;
    // Windows drops trailing dots, so "..." names the parent as ".." does.
    return part.find_first_not_of('.') != std::string::npos;
}

} // namespace

bool IsPlainRelativePath(const std::string& rel) {
    if (rel.empty() || is_separator(rel[0]) || plat::is_absolute_path(rel)) return false;
    std::string part;
    for (std::size_t i = 0; i < rel.size();) {
        const unsigned char c = static_cast<unsigned char>(rel[i]);
        // A GBK trail byte can be '\' or '/': take double-byte characters whole.
        if (c >= 0x81 && c <= 0xFE) {
            if (i + 1 >= rel.size()) return false;
            part.append(rel, i, 2);
            i += 2;
            continue;
        }
        if (c == ':' || c < 0x20) return false;  // drive letters, streams, control bytes
        if (is_separator(rel[i])) {
            if (!plain_component(part)) return false;
            part.clear();
        } else {
            part += rel[i];
        }
        ++i;
    }
    return plain_component(part);
}

RecordingLocation LocateRecording(StationGlobals& g, const std::string& rel) {
    RecordingLocation location;
    if (!IsPlainRelativePath(rel)) return location;
    const std::vector<std::string> found = FindRecordingFiles(g, rel);
    if (!found.empty()) location.path = found[0];
    if (found.size() > 1) location.other = found[1];
    return location;
}

RecordingLocation StationRecordingFiles::Locate(const std::string& rel) {
    RecordingLocation location = LocateRecording(g_, rel);
    if (location.ambiguous()) {
        g_.Log.WriteLog(g_.Texts.Format("Log.AmbiguousFile", {rel, location.path, location.other}), LogWarning);
    }
    return location;
}

bool StationRecordingFiles::Exists(const std::string& path) { return plat::file_exists(path); }

bool StationRecordingFiles::Remove(const std::string& path) { return plat::remove_file(path); }

bool StationRecordingFiles::Copy(const std::string& from, const std::string& to) { return CopyWholeFile(from, to); }

bool StationRecordingFiles::ForceFolder(const std::string& folder) {
    return plat::directory_exists(folder) || plat::force_directories(folder);
}

std::int64_t StationRecordingFiles::Size(const std::string& path) { return plat::file_size(path); }

bool CopyWholeFile(const std::string& from, const std::string& to) {
    plat::File source;
    if (!source.open(from, plat::File::Mode::Read)) return false;
    plat::File target;
    if (!target.open(to, plat::File::Mode::CreateAlways)) return false;
    std::vector<char> buffer(1 << 16);
    std::int64_t offset = 0;
    for (;;) {
        const long long got = source.read_at(offset, buffer.data(), buffer.size());
        if (got < 0) break;
        if (got == 0) return true;
        if (target.write_at(offset, buffer.data(), static_cast<std::size_t>(got)) != got) break;
        offset += got;
    }
    target.close();
    plat::remove_file(to);
    return false;
}

} // namespace station
