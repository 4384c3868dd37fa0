#include "station/core/engine/download_journal.h"

#include <cstdint>

#include "platform/files.h"
#include "tarnlink/resume_record.h"
#include "tarnlink/wire_format.h"

namespace station {
namespace {

std::string note_path(const std::string& device_folder) { return device_folder + "\\Velquist.download"; }

} // namespace

void NoteDownload(const std::string& device_folder, const std::string& row_path) {
    plat::write_whole_file(note_path(device_folder), row_path);
}

std::string NotedDownload(const std::string& device_folder) {
    std::string row_path;
    if (!plat::read_whole_file(note_path(device_folder), row_path)) return {};
    return row_path;
}

void ForgetDownload(const std::string& device_folder) {
    const std::string path = note_path(device_folder);
    if (plat::file_exists(path)) plat::remove_file(path);
}

bool FinishCompleteDownload(const std::string& local_path) {
    const std::string download = local_path + ".ltf";
    const std::string resume = local_path + ".dxc";
    if (plat::file_exists(local_path)) {
        // Stopped between the library's rename and its removal of the resume file.
        if (plat::file_exists(resume)) plat::remove_file(resume);
        return true;
    }
    const std::int64_t size = plat::file_size(download);
    if (size < 0) return false;
    tarnlink::resume_file_header header{};
    {
        plat::File file;
        if (!file.open(resume, plat::File::Mode::Read)) return false;
        if (file.read_at(0, &header, sizeof header) != static_cast<long long>(sizeof header)) return false;
    }
    if (!tarnlink::resume_record_valid(header) ||
        static_cast<std::int64_t>(header.window_base) * static_cast<std::int64_t>(tarnlink::WireSizes::file_packet) < size) {
        return false;
    }
    if (!plat::rename_file(download, local_path)) return false;
    plat::remove_file(resume);
    return true;
}

} // namespace station
