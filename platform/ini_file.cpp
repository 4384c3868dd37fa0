#include "platform/ini_file.h"

#include "platform/files.h"
#include "platform/text_gbk.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <mutex>
#endif

namespace plat {

#ifdef _WIN32

namespace {
std::wstring wide_or_empty(const std::string& s) { return gbk_to_wide(s); }

// Reads a profile list (keys or sections) that comes back as NUL-separated names.
std::vector<std::string> read_name_list(const std::string& file, const wchar_t* section) {
    std::vector<wchar_t> buffer(4096);
    for (;;) {
        DWORD n = GetPrivateProfileStringW(section, nullptr, L"", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), native_path(file).c_str());
        if (n + 2 < buffer.size() || buffer.size() >= (1u << 22)) {
            std::vector<std::string> names;
            const wchar_t* p = buffer.data();
            const wchar_t* end = p + n;
            while (p < end && *p) {
                std::wstring name(p);
                names.push_back(wide_to_gbk(name));
                p += name.size() + 1;
            }
            return names;
        }
        buffer.resize(buffer.size() * 4);
    }
}
} // namespace

std::string ini_read_string(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& default_value, std::size_t buffer_size) {
    std::wstring def = wide_or_empty(default_value);
    std::vector<wchar_t> buffer(65536);
    DWORD n = GetPrivateProfileStringW(wide_or_empty(section).c_str(), wide_or_empty(key).c_str(), def.c_str(),
                                       buffer.data(), static_cast<DWORD>(buffer.size()),
                                       native_path(file).c_str());
    std::string value = wide_to_gbk(std::wstring_view(buffer.data(), n));
    if (buffer_size == 0) return {};
    value.resize(gbk_prefix_length(value, buffer_size - 1));
    return value;
}

int ini_read_int(const std::string& file, const std::string& section, const std::string& key, int default_value) {
    return static_cast<int>(GetPrivateProfileIntW(wide_or_empty(section).c_str(), wide_or_empty(key).c_str(),
                                                  default_value, native_path(file).c_str()));
}

bool ini_write_string(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value) {
    return WritePrivateProfileStringW(wide_or_empty(section).c_str(), wide_or_empty(key).c_str(),
                                      wide_or_empty(value).c_str(), native_path(file).c_str()) != 0;
}

bool ini_delete_key(const std::string& file, const std::string& section, const std::string& key) {
    return WritePrivateProfileStringW(wide_or_empty(section).c_str(), wide_or_empty(key).c_str(), nullptr,
                                      native_path(file).c_str()) != 0;
}

bool ini_delete_section(const std::string& file, const std::string& section) {
    return WritePrivateProfileStringW(wide_or_empty(section).c_str(), nullptr, nullptr,
                                      native_path(file).c_str()) != 0;
}

std::vector<std::string> ini_read_keys(const std::string& file, const std::string& section) {
    return read_name_list(file, wide_or_empty(section).c_str());
}

std::vector<std::string> ini_read_sections(const std::string& file) { return read_name_list(file, nullptr); }

#else // our own profile files, with the same rules

namespace {

// Profile calls of one process are serialised, as the system's profile functions are.
std::mutex g_profile_mutex;

struct Line {
    std::string text;     // as in the file, without the line ending
};

std::string trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return std::string(s.substr(b, e - b));
}

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// A section header "[name]" gives its trimmed name.
bool section_name(const std::string& line, std::string& name) {
    std::string t = trim(line);
    if (t.empty() || t[0] != '[') return false;
    std::size_t close = t.find(']');
    name = trim(std::string_view(t).substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

// A key line "name=value" gives its trimmed name and value; a line without '=' is a bare name.
bool key_line(const std::string& line, std::string& name, std::string& value) {
    std::string t = trim(line);
    if (t.empty() || t[0] == '[') return false;
    std::size_t eq = t.find('=');
    if (eq == std::string::npos) {
        name = t;
        value.clear();
    } else {
        name = trim(std::string_view(t).substr(0, eq));
        value = trim(std::string_view(t).substr(eq + 1));
    }
    return true;
}

std::vector<Line> load(const std::string& file) {
    std::vector<Line> lines;
    std::string contents;
    if (!read_whole_file(file, contents)) return lines;
    std::size_t pos = 0;
    while (pos < contents.size()) {
        std::size_t nl = contents.find('\n', pos);
        std::size_t end = nl == std::string::npos ? contents.size() : nl;
        std::string text = contents.substr(pos, end - pos);
        if (!text.empty() && text.back() == '\r') text.pop_back();
        lines.push_back({std::move(text)});
        pos = nl == std::string::npos ? contents.size() : nl + 1;
    }
    return lines;
}

bool save(const std::string& file, const std::vector<Line>& lines) {
    std::string contents;
    for (const Line& l : lines) {
        contents += l.text;
        contents += "\r\n";
    }
    return write_whole_file(file, contents);
}

// [begin, end) of the first section with that name; begin is the header line. npos if absent.
void find_section(const std::vector<Line>& lines, const std::string& section, std::size_t& begin,
                  std::size_t& end) {
    begin = end = std::string::npos;
    std::string name;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!section_name(lines[i].text, name)) continue;
        if (begin != std::string::npos) { end = i; return; }
        if (same_name(name, trim(section))) begin = i;
    }
    if (begin != std::string::npos) end = lines.size();
}

std::size_t find_key(const std::vector<Line>& lines, std::size_t begin, std::size_t end, const std::string& key) {
    std::string name, value;
    for (std::size_t i = begin + 1; i < end; ++i)
        if (key_line(lines[i].text, name, value) && same_name(name, trim(key))) return i;
    return std::string::npos;
}

// Matching quotes around a whole value are removed on reading.
std::string unquote(std::string v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

std::string cut(std::string v, std::size_t buffer_size) {
    if (buffer_size == 0) return {};
    v.resize(gbk_prefix_length(v, buffer_size - 1));
    return v;
}

} // namespace

std::string ini_read_string(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& default_value, std::size_t buffer_size) {
    std::lock_guard<std::mutex> lock(g_profile_mutex);
    std::vector<Line> lines = load(file);
    std::size_t begin, end;
    find_section(lines, section, begin, end);
    if (begin != std::string::npos) {
        std::size_t at = find_key(lines, begin, end, key);
        if (at != std::string::npos) {
            std::string name, value;
            key_line(lines[at].text, name, value);
            return cut(unquote(value), buffer_size);
        }
    }
    // The default loses its trailing blanks, as the system's does.
    std::string def = default_value;
    while (!def.empty() && std::isspace(static_cast<unsigned char>(def.back()))) def.pop_back();
    return cut(def, buffer_size);
}

int ini_read_int(const std::string& file, const std::string& section, const std::string& key, int default_value) {
    std::string v = ini_read_string(file, section, key, "", 64);
    if (v.empty()) return default_value;
    const char* p = v.c_str();
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    long long n = 0;
    while (*p >= '0' && *p <= '9' && n <= 0xFFFFFFFFLL) n = n * 10 + (*p++ - '0');
    unsigned u = static_cast<unsigned>(n);
    return static_cast<int>(negative ? 0u - u : u);
}

bool ini_write_string(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value) {
    std::lock_guard<std::mutex> lock(g_profile_mutex);
    std::vector<Line> lines = load(file);
    std::size_t begin, end;
    find_section(lines, section, begin, end);
    std::string line = trim(key) + "=" + value;
    if (begin == std::string::npos) {
        if (!lines.empty() && !trim(lines.back().text).empty()) lines.push_back({""});
        lines.push_back({"[" + trim(section) + "]"});
        lines.push_back({line});
    } else {
        std::size_t at = find_key(lines, begin, end, key);
        if (at != std::string::npos) {
            lines[at].text = line;
        } else {
            // After the section's last non-blank line.
            std::size_t insert = end;
            while (insert > begin + 1 && trim(lines[insert - 1].text).empty()) --insert;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert), {line});
        }
    }
    return save(file, lines);
}

bool ini_delete_key(const std::string& file, const std::string& section, const std::string& key) {
    std::lock_guard<std::mutex> lock(g_profile_mutex);
    std::vector<Line> lines = load(file);
    std::size_t begin, end;
    find_section(lines, section, begin, end);
    if (begin == std::string::npos) return true;
    std::size_t at = find_key(lines, begin, end, key);
    if (at == std::string::npos) return true;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
    return save(file, lines);
}

bool ini_delete_section(const std::string& file, const std::string& section) {
    std::lock_guard<std::mutex> lock(g_profile_mutex);
    std::vector<Line> lines = load(file);
    std::size_t begin, end;
    find_section(lines, section, begin, end);
    if (begin == std::string::npos) return true;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(begin), lines.begin() + static_cast<std::ptrdiff_t>(end));
    return save(file, lines);
}

std::vector<std::string> ini_read_keys(const std::string& file, const std::string& section) {
    std::lock_guard<std::mutex> lock(g_profile_mutex);
    std::vector<Line> lines = load(file);
    std::vector<std::string> keys;
    std::size_t begin, end;
    find_section(lines, section, begin, end);
    if (begin == std::string::npos) return keys;
    std::string name, value;
    for (std::size_t i = begin + 1; i < end; ++i) {
        if (!key_line(lines[i].text, name, value)) continue;
        bool seen = false;
        for (const std::string& k : keys) seen = seen || same_name(k, name);
        if (!seen) keys.push_back(name);
    }
    return keys;
}

std::vector<std::string> ini_read_sections(const std::string& file) {
    std::lock_guard<std::mutex> lock(g_profile_mutex);
    std::vector<std::string> sections;
    std::string name;
    for (const Line& l : load(file))
        if (section_name(l.text, name)) sections.push_back(name);
    return sections;
}

#endif

} // namespace plat
