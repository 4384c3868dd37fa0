#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <utility>

#include "platform/text_gbk.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace plat {
namespace {
bool is_separator(char c) { return c == '\\' || c == '/'; }

// Index just past the last separator, or 0. A separator byte can be the trail byte of a GBK
// character ("\" is 0x5C), so the scan walks characters, not bytes.
std::size_t name_start(std::string_view path) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size();) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < path.size()) { i += 2; continue; }
        if (is_separator(path[i])) start = i + 1;
        ++i;
    }
    return start;
}
} // namespace

std::string extract_file_dir(std::string_view path) { return std::string(path.substr(0, name_start(path))); }
std::string extract_file_name(std::string_view path) { return std::string(path.substr(name_start(path))); }

std::string include_trailing_separator(std::string_view path) {
    std::string out(path);
    if (out.empty() || name_start(out) != out.size()) out.push_back('\\');
    return out;
}

bool is_absolute_path(std::string_view path) {
    if (path.empty()) return false;
    if (is_separator(path[0])) return true;
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

#ifdef _WIN32

NativePath native_path(std::string_view path) { return gbk_to_wide(path); }
std::string from_native_path(const NativePath& path) { return wide_to_gbk(path); }

bool file_exists(std::string_view path) {
    DWORD a = GetFileAttributesW(native_path(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}
bool directory_exists(std::string_view path) {
    DWORD a = GetFileAttributesW(native_path(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
bool create_directory(std::string_view path) {
    return CreateDirectoryW(native_path(path).c_str(), nullptr) || directory_exists(path);
}
bool remove_file(std::string_view path) { return DeleteFileW(native_path(path).c_str()) != 0; }
bool remove_directory(std::string_view path) { return RemoveDirectoryW(native_path(path).c_str()) != 0; }
bool rename_file(std::string_view from, std::string_view to) {
    return MoveFileW(native_path(from).c_str(), native_path(to).c_str()) != 0;
}
std::int64_t file_size(std::string_view path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(native_path(path).c_str(), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
std::vector<DirEntry> list_directory(std::string_view path) {
    std::vector<DirEntry> out;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(native_path(include_trailing_separator(path) + "*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        DirEntry e;
        e.name = wide_to_gbk(name);
        e.is_directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        e.size = (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        out.push_back(std::move(e));
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return out;
}
std::string current_directory() {
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = GetCurrentDirectoryW(MAX_PATH * 2, buffer);
    std::string dir = wide_to_gbk(std::wstring_view(buffer, n));
    while (dir.size() > 3 && is_separator(dir.back())) dir.pop_back();
    return dir;
}
namespace {
std::string module_file_name(HMODULE module) {
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = GetModuleFileNameW(module, buffer, MAX_PATH * 2);
    return wide_to_gbk(std::wstring_view(buffer, n));
}
} // namespace
std::string executable_path() { return module_file_name(nullptr); }
std::string module_path_of(const void* address_in_module) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address_in_module), &module))
        return {};
    return module_file_name(module);
}

File::~File() { close(); }
File::File(File&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
File& File::operator=(File&& other) noexcept {
    if (this != &other) { close(); handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE); }
    return *this;
}
bool File::open(std::string_view path, Mode mode) {
    close();
    DWORD access = mode == Mode::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = mode == Mode::Read || mode == Mode::ReadWrite ? OPEN_EXISTING
                        : mode == Mode::OpenOrCreate                  ? OPEN_ALWAYS
                                                                      : CREATE_ALWAYS;
    handle_ = CreateFileW(native_path(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    return is_open();
}
void File::close() {
    if (is_open()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}
bool File::is_open() const { return handle_ != INVALID_HANDLE_VALUE; }
long long File::read_at(std::int64_t offset, void* buffer, std::size_t count) const {
    if (!is_open()) return -1;
    OVERLAPPED ov{};
    ov.Offset = static_cast<DWORD>(offset);
    ov.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD done = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(count), &done, &ov))
        return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    return done;
}
long long File::write_at(std::int64_t offset, const void* data, std::size_t count) {
    if (!is_open()) return -1;
    OVERLAPPED ov{};
    ov.Offset = static_cast<DWORD>(offset);
    ov.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD done = 0;
    if (!WriteFile(handle_, data, static_cast<DWORD>(count), &done, &ov)) return -1;
    return done;
}
std::int64_t File::size() const {
    LARGE_INTEGER size;
    if (!is_open() || !GetFileSizeEx(handle_, &size)) return -1;
    return size.QuadPart;
}
bool File::truncate(std::int64_t size) {
    FILE_END_OF_FILE_INFO info;
    info.EndOfFile.QuadPart = size;
    return is_open() && SetFileInformationByHandle(handle_, FileEndOfFileInfo, &info, sizeof info);
}
bool File::flush() { return is_open() && FlushFileBuffers(handle_); }

#else // POSIX

NativePath native_path(std::string_view path) {
    std::string out = gbk_to_utf8(path);
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}
std::string from_native_path(const NativePath& path) { return utf8_to_gbk(path); }

namespace {
bool stat_path(std::string_view path, struct stat& st) { return ::stat(native_path(path).c_str(), &st) == 0; }
} // namespace

bool file_exists(std::string_view path) {
    struct stat st;
    return stat_path(path, st) && S_ISREG(st.st_mode);
}
bool directory_exists(std::string_view path) {
    struct stat st;
    return stat_path(path, st) && S_ISDIR(st.st_mode);
}
bool create_directory(std::string_view path) {
    return ::mkdir(native_path(path).c_str(), 0777) == 0 || directory_exists(path);
}
bool remove_file(std::string_view path) { return ::unlink(native_path(path).c_str()) == 0; }
bool remove_directory(std::string_view path) { return ::rmdir(native_path(path).c_str()) == 0; }
bool rename_file(std::string_view from, std::string_view to) {
    // MoveFile semantics: never replace an existing target.
    if (file_exists(to) || directory_exists(to)) return false;
    return ::rename(native_path(from).c_str(), native_path(to).c_str()) == 0;
}
std::int64_t file_size(std::string_view path) {
    struct stat st;
    if (!stat_path(path, st) || !S_ISREG(st.st_mode)) return -1;
    return st.st_size;
}
std::vector<DirEntry> list_directory(std::string_view path) {
    std::vector<DirEntry> out;
    NativePath dir = native_path(path);
    DIR* d = ::opendir(dir.c_str());
    if (!d) return out;
    while (dirent* ent = ::readdir(d)) {
        std::string name = ent->d_name;
        if (name == "." || name == "..") continue;
        struct stat st;
        if (::stat((dir + "/" + name).c_str(), &st) != 0) continue;
        DirEntry e;
        e.name = utf8_to_gbk(name);
        e.is_directory = S_ISDIR(st.st_mode);
        e.size = e.is_directory ? 0 : st.st_size;
        out.push_back(std::move(e));
    }
    ::closedir(d);
    return out;
}
std::string current_directory() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? from_native_path(buffer) : std::string();
}
std::string executable_path() {
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? from_native_path(std::string(buffer, static_cast<std::size_t>(n))) : std::string();
}
std::string module_path_of(const void* address_in_module) {
    Dl_info info;
    if (!::dladdr(address_in_module, &info) || !info.dli_fname) return {};
    char resolved[PATH_MAX];
    const char* name = ::realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
    return from_native_path(name);
}

File::~File() { close(); }
File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
File& File::operator=(File&& other) noexcept {
    if (this != &other) { close(); fd_ = std::exchange(other.fd_, -1); }
    return *this;
}
bool File::open(std::string_view path, Mode mode) {
    close();
    int flags = mode == Mode::Read ? O_RDONLY
                : mode == Mode::ReadWrite ? O_RDWR
                : mode == Mode::OpenOrCreate ? O_RDWR | O_CREAT
                                             : O_RDWR | O_CREAT | O_TRUNC;
    fd_ = ::open(native_path(path).c_str(), flags | O_CLOEXEC, 0666);
    return fd_ >= 0;
}
void File::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}
bool File::is_open() const { return fd_ >= 0; }
long long File::read_at(std::int64_t offset, void* buffer, std::size_t count) const {
    return fd_ < 0 ? -1 : ::pread(fd_, buffer, count, offset);
}
long long File::write_at(std::int64_t offset, const void* data, std::size_t count) {
    return fd_ < 0 ? -1 : ::pwrite(fd_, data, count, offset);
}
std::int64_t File::size() const {
    struct stat st;
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 ? st.st_size : -1;
}
bool File::truncate(std::int64_t size) { return fd_ >= 0 && ::ftruncate(fd_, size) == 0; }
bool File::flush() { return fd_ >= 0 && ::fsync(fd_) == 0; }

#endif

bool force_directories(std::string_view path) {
    std::string dir(path);
    while (!dir.empty() && is_separator(dir.back()) && !(dir.size() == 3 && dir[1] == ':')) dir.pop_back();
    if (dir.empty()) return !path.empty() && is_separator(path[0]);  // the root
    if (directory_exists(dir)) return true;
    std::string parent = extract_file_dir(dir);
    if (!parent.empty() && parent != dir && !force_directories(parent)) return false;
    return create_directory(dir);
}

bool read_whole_file(std::string_view path, std::string& contents) {
    File f;
    if (!f.open(path, File::Mode::Read)) return false;
    std::int64_t size = f.size();
    if (size < 0) return false;
    contents.assign(static_cast<std::size_t>(size), '\0');
    std::int64_t done = 0;
    while (done < size) {
        long long n = f.read_at(done, contents.data() + done, static_cast<std::size_t>(size - done));
        if (n <= 0) { contents.resize(static_cast<std::size_t>(done)); return n == 0; }
        done += n;
    }
    return true;
}

std::string last_file_error_text() {
#ifdef _WIN32
    const DWORD code = GetLastError();
    wchar_t text[512] = {};
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                   static_cast<DWORD>(std::size(text)), nullptr);
    std::wstring words(text, n);
    while (!words.empty() && (words.back() == L'\r' || words.back() == L'\n' || words.back() == L' '))
        words.pop_back();
    return words.empty() ? "error " + std::to_string(code) : wide_to_gbk(words);
#else
    return std::strerror(errno);
#endif
}

bool write_whole_file(std::string_view path, std::string_view contents) {
    File f;
    if (!f.open(path, File::Mode::CreateAlways)) return false;
    std::size_t done = 0;
    while (done < contents.size()) {
        long long n = f.write_at(static_cast<std::int64_t>(done), contents.data() + done, contents.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace plat
