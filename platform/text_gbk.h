// GBK (code page 936) texts: conversion at the system boundary and truncating copies into
// fixed fields. The system keeps its texts as GBK bytes; only the OS boundary converts.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace plat {

std::string gbk_to_utf8(std::string_view gbk);
std::string utf8_to_gbk(std::string_view utf8);
std::wstring gbk_to_wide(std::string_view gbk);
std::string wide_to_gbk(std::wstring_view wide);

// Length of the longest prefix of `text` of at most `max_bytes` bytes that does not end inside
// a double-byte character (a lead byte 0x81..0xFE takes the byte after it).
std::size_t gbk_prefix_length(std::string_view text, std::size_t max_bytes);

// Copies into a fixed field of `field_size` bytes as a NUL-terminated text: at most
// field_size - 1 bytes, cut on a character boundary, the rest of the field zero-filled.
void copy_text_field(char* field, std::size_t field_size, std::string_view text);

// Reads a fixed field: the bytes up to the first NUL, or all `field_size` bytes when the field
// holds none. Never reads past the field.
std::string field_text(const char* field, std::size_t field_size);

} // namespace plat
