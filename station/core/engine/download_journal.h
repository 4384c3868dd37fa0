// The download under way of one device, noted in the device's folder. The library tells the
// device a file is done before the station has stored its row (and a moment before the file
// gets its final name), so the device never offers it again: a station stopped in between
// finds the file through this note at the device's next login.
#pragma once
#include <string>

namespace station {

// Notes `row_path` as the download under way below `device_folder`.
void NoteDownload(const std::string& device_folder, const std::string& row_path);
// The row path noted below `device_folder`; empty when none.
std::string NotedDownload(const std::string& device_folder);
void ForgetDownload(const std::string& device_folder);

// Whether the recording is complete at `local_path`: it is there, or the library's download
// file beside it holds every packet (its resume record reaches the end) and now takes the
// final name, the resume file going as the library's own end would remove it.
bool FinishCompleteDownload(const std::string& local_path);

} // namespace station
