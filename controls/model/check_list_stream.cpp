#include "controls/model/check_list_stream.h"

namespace ec {

std::string check_line(const CheckItem& item) {
    std::string line = "&";
    line += item.packet.enabled ? '1' : '0';
    line += ' ';
    line += static_cast<char>('0' + item.packet.state);
    line += ' ';
    line += item.text;
    return line;
}

std::string save_check_items(const std::vector<CheckItem>& items) {
    std::string stream;
    for (const CheckItem& item : items) {
        stream += check_line(item);
        stream += "\r\n";
    }
    return stream;
}

CheckItem parse_check_line(std::string_view line) {
    CheckItem item;
    if (line.empty() || line[0] != '&') {
        item.text = line;
        return item;
    }
    // A state outside 0..2 would later pick a glyph cell that does not exist.
    if (line.size() < 4 || line[3] < '0' || line[3] >= '0' + kCheckStateCount) {
        std::string shown = line.size() < 4 ? std::string() : std::string(1, line[3]);
        throw EConvertError("'" + shown + "' is not a valid integer value");
    }
    item.packet.enabled = line[1] == '1';
    item.packet.state = static_cast<std::uint8_t>(line[3] - '0');
    item.text = line.size() > 5 ? line.substr(5) : std::string_view();
    return item;
}

std::vector<CheckItem> load_check_items(std::string_view stream) {
    std::vector<CheckItem> items;
    std::size_t start = 0;
    while (start < stream.size()) {
        std::size_t end = stream.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = stream.size();
        items.push_back(parse_check_line(stream.substr(start, end - start)));
        start = end;
        if (start < stream.size() && stream[start] == '\r') ++start;
        if (start < stream.size() && stream[start] == '\n') ++start;
    }
    return items;
}

std::uint8_t next_check_state(std::uint8_t state, bool allow_grayed) {
    switch (state) {
    case 0: return allow_grayed ? 2 : 1;
    case 1: return 0;
    default: return 1;
    }
}

} // namespace ec
