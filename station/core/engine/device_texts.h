// Texts that come from a device and end up in a local path. A device is a peer on the network:
// nothing it sends may leave the save folder or name a device, stream or parent folder.
#pragma once
#include <string>
#include <string_view>

namespace station {

// A GBK name usable as one path component: non-empty, not "." or "..", no '\', '/', ':', control
// character or character Windows refuses in a name ('<', '>', '"', '|', '?', '*') outside a
// double-byte character, and no cut-off double-byte character.
bool IsPlainName(std::string_view name);
// Exactly eight ASCII digits.
bool IsDateFolderName(std::string_view text);
// `name` with every character that a plain name may not hold replaced by '_', and made a safe
// local name as recordings are (LocalFileName); empty for a name of dots only or none.
std::string CleanFolderName(std::string_view name);
// The text with control characters shown as '?', so that a name cannot break a log line.
std::string PrintableText(std::string_view text);

} // namespace station

namespace station {

// Whether a device's serial can stand as a key of an ini file: not empty, no blank at either
// end, and no '=', '[', ']', ';' or control character that would cut or forge a line.
bool IsIniKeyText(std::string_view text);

} // namespace station
