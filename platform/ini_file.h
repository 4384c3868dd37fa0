// Private-profile (ini) files with the rules of the Win32 profile functions that the system's
// files rely on: section and key names compare without case, the first match wins, values are
// trimmed, missing keys give the default, results are cut to the buffer, and writing a key
// creates its section. On Windows these are the real profile functions; elsewhere our own.
// Texts are GBK.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace plat {

// `buffer_size` as the Win32 nSize: the result keeps at most buffer_size - 1 bytes.
std::string ini_read_string(const std::string& file, const std::string& section,
                            const std::string& key, const std::string& default_value,
                            std::size_t buffer_size = 2048);
// GetPrivateProfileInt: the leading decimal number of the value, the default when absent.
int ini_read_int(const std::string& file, const std::string& section, const std::string& key,
                 int default_value);
bool ini_write_string(const std::string& file, const std::string& section,
                      const std::string& key, const std::string& value);
bool ini_delete_key(const std::string& file, const std::string& section, const std::string& key);
bool ini_delete_section(const std::string& file, const std::string& section);
// Key names of a section in file order (first spelling of each); empty when absent.
std::vector<std::string> ini_read_keys(const std::string& file, const std::string& section);
// Section names in file order.
std::vector<std::string> ini_read_sections(const std::string& file);

} // namespace plat
