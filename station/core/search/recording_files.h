// The file operations the search view performs on recordings, behind one interface so the
// delete and copy flows can be driven against failing files in tests.
#pragma once
#include <cstdint>
#include <string>

#include "station/core/globals.h"

namespace station {

// A stored recording path is device data: only "<folder>\<file>"-like relative paths of plain
// components may be joined to a folder (no root, no drive, no "." or "..", no empty part).
bool IsPlainRelativePath(const std::string& relative_path);

// Where a stored recording path leads. An old two-part path may match the files of two
// devices: then `other` names the second, and delete and copy must not guess between them.
struct RecordingLocation {
    std::string path;   // the first match; empty when none
    std::string other;  // a second match; empty when the path is unambiguous
    bool ambiguous() const { return !other.empty(); }
};

// FindRecordingFiles for a plain relative path; nothing for any other.
RecordingLocation LocateRecording(StationGlobals& g, const std::string& relative_path);

class IRecordingFiles {
public:
    virtual ~IRecordingFiles() = default;
    // An ambiguous location is logged with both paths.
    virtual RecordingLocation Locate(const std::string& relative_path) = 0;
    virtual bool Exists(const std::string& path) = 0;                   // a regular file
    virtual bool Remove(const std::string& path) = 0;
    virtual bool Copy(const std::string& from, const std::string& to) = 0;  // overwrites
    virtual bool ForceFolder(const std::string& folder) = 0;
    virtual std::int64_t Size(const std::string& path) = 0;  // -1 when it cannot be read
};

class StationRecordingFiles : public IRecordingFiles {
public:
    explicit StationRecordingFiles(StationGlobals& g) : g_(g) {}
    RecordingLocation Locate(const std::string& relative_path) override;
    bool Exists(const std::string& path) override;
    bool Remove(const std::string& path) override;
    bool Copy(const std::string& from, const std::string& to) override;
    bool ForceFolder(const std::string& folder) override;
    std::int64_t Size(const std::string& path) override;

private:
    StationGlobals& g_;
};

// Copies in chunks (recordings run to tens of megabytes); a partial target is removed.
bool CopyWholeFile(const std::string& from, const std::string& to);

} // namespace station
