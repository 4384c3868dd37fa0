// Files and folders. Paths are GBK texts with '\' separators, as the system writes them; the
// seam converts them (Windows: UTF-16 with code page 936; POSIX: UTF-8 and '/').
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

#ifdef _WIN32
using NativePath = std::wstring;
#else
using NativePath = std::string;
#endif

NativePath native_path(std::string_view path);
std::string from_native_path(const NativePath& path);

bool file_exists(std::string_view path);       // a regular file
bool directory_exists(std::string_view path);
bool create_directory(std::string_view path);  // one level; true when it exists afterwards
bool force_directories(std::string_view path); // every missing level
bool remove_file(std::string_view path);
bool remove_directory(std::string_view path);  // an empty folder
bool rename_file(std::string_view from, std::string_view to); // fails when `to` exists
std::int64_t file_size(std::string_view path);  // -1 when missing

struct DirEntry {
    std::string name;  // GBK
    bool is_directory = false;
    std::int64_t size = 0;
};
// Entries of one folder, without "." and "..". Empty when the folder cannot be read.
std::vector<DirEntry> list_directory(std::string_view path);

std::string current_directory();               // GBK, no trailing separator
std::string executable_path();                 // full path of the running program
std::string module_path_of(const void* address_in_module); // the .exe/.dll/.so holding it

// Path helpers on GBK paths (both separators accepted).
std::string extract_file_dir(std::string_view path);   // up to and including the last separator
std::string extract_file_name(std::string_view path);  // after the last separator
std::string include_trailing_separator(std::string_view path); // appends '\' when missing
bool is_absolute_path(std::string_view path);           // "C:\..", "\\server", "/.."

bool read_whole_file(std::string_view path, std::string& contents);
bool write_whole_file(std::string_view path, std::string_view contents);
// The system's own words (GBK) for why the last file operation of this thread failed; read it
// right after the failure, before anything else touches the system.
std::string last_file_error_text();

// A file handle that closes itself. Positional reads and writes; nothing is buffered.
class File {
public:
    enum class Mode {
        Read,          // existing file, read only
        ReadWrite,     // existing file, read and write
        OpenOrCreate,  // read and write, created when missing, never truncated
        CreateAlways,  // read and write, truncated or created
    };
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;

    bool open(std::string_view path, Mode mode);
    void close();
    bool is_open() const;

    // Bytes transferred, or -1 on failure.
    long long read_at(std::int64_t offset, void* buffer, std::size_t count) const;
    long long write_at(std::int64_t offset, const void* data, std::size_t count);
    std::int64_t size() const;  // -1 on failure
    bool truncate(std::int64_t size);
    bool flush();

private:
#ifdef _WIN32
    void* handle_ = reinterpret_cast<void*>(static_cast<std::intptr_t>(-1));
#else
    int fd_ = -1;
#endif
};

} // namespace plat
