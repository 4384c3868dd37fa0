// The text format of stored window descriptions, one file per window:
//
//   object MainForm: TMainForm
//     Caption = 'FTP下载终端'          strings in single quotes ('' for a quote, #nnnn code points,
//     Font.Name = '宋体'                 'a' + 'b' continues), files are UTF-8
//     Anchors = [akLeft, akTop]          sets
//     Items.Strings = ( 'a' 'b' )        lists
//     Columns = < item Width = 80 end >  collection items
//     Data = { 0A0B }                    bytes in hexadecimal
//     OnClick = btnOkClick               identifiers: enums, colours, references, handlers
//     object btnOk: TButton ... end      nested components
//   end
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class DescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct DescValue;

struct DescProperty {
    std::string name;  // possibly dotted: "Font.Name"
    std::vector<DescValue> value;  // exactly one element; a vector because DescValue is incomplete here
    int line = 0;
    const DescValue& get() const { return value.front(); }
};

struct DescValue {
    enum class Kind { Integer, Float, String, Identifier, Set, List, Collection, Binary };
    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    double number = 0;
    std::string text;                            // String (UTF-8) or Identifier
    std::vector<std::string> identifiers;        // Set
    std::vector<DescValue> list;                 // List
    std::vector<std::vector<DescProperty>> items;  // Collection
    std::vector<std::uint8_t> bytes;             // Binary
    int line = 0;
};

struct DescObject {
    std::string name;
    std::string class_name;
    std::vector<DescProperty> properties;
    std::vector<DescObject> children;
    int line = 0;
};

// Parses one description; throws DescriptionError naming the line on malformed input.
// Nesting deeper than a fixed limit is refused rather than risking the stack.
DescObject parse_description(std::string_view text);

const char* value_kind_name(DescValue::Kind kind);

} // namespace ui
