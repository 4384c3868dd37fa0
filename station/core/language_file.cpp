#include "station/core/language_file.h"

#include "platform/files.h"
#include "platform/ini_file.h"
#include "station/core/delimited_list.h"

namespace station {
namespace {

// Profile readers take one pair of matching quotes off a whole value: a value that is itself
// quoted (a list of one quoted item) gets one more pair, so that it reads back as written.
std::string profile_value(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return '"' + value + '"';
    return value;
}

const char kCommonSection[] = "common";

std::string trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

bool same_text_ignoring_case(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

std::vector<std::pair<std::string, std::string>> read_section(const std::string& file, const std::string& section) {
    std::vector<std::pair<std::string, std::string>> lines;
    for (const std::string& key : plat::ini_read_keys(file, section))
        lines.emplace_back(key, plat::ini_read_string(file, section, key, ""));
    return lines;
}

} // namespace

TLanguageFile::TLanguageFile(const std::string& system_language_file, ILanguageNotices* notices)
    : notices_(notices) {
    LoadFile(system_language_file);
}

TLanguageFile::ApplyError TLanguageFile::LoadFile(const std::string& path) {
    if (path == file_name_ || !plat::file_exists(path)) return std::nullopt;
    file_name_ = path;
    file_open_ = true;
    common_texts_ = read_section(path, kCommonSection);
    return ApplySection(current_form_);
}

TLanguageFile::ApplyError TLanguageFile::SetForm(ILanguageWindow* window) {
    if (window == current_form_) return std::nullopt;
    current_form_ = window;
    return ApplySection(window);
}

TLanguageFile::ApplyError TLanguageFile::ApplySection(ILanguageWindow* window) {
    if (!window || !file_open_) return std::nullopt;
    for (const auto& [key, value] : read_section(file_name_, window->WindowClassName())) {
        const std::size_t dot = key.find('.');
        const std::string component_name = dot == std::string::npos ? std::string() : trim(key.substr(0, dot));
        const std::string property = trim(dot == std::string::npos ? key : key.substr(dot + 1));
        ILanguageComponent* component = &window->Self();
        if (!component_name.empty()) {
            component = window->FindComponent(component_name);
            // A window description that lacks the component ends the section here.
            if (!component) return std::nullopt;
        }
        if (value.empty()) continue;
        if (auto error = SetPropertyValue(*component, property, value)) return error;
    }
    return std::nullopt;
}

std::string TLanguageFile::GetText(const std::string& key) const {
    for (const auto& [name, value] : common_texts_)
        if (same_text_ignoring_case(name, key)) return value;
    return {};
}

void TLanguageFile::NotImplemented(const std::string& class_name) {
    if (notices_) notices_->Information("property kind=tkClass;Name=[" + class_name + "] Not implement", "information");
}

TLanguageFile::ApplyError TLanguageFile::SetPropertyValue(ILanguageComponent& component, const std::string& property,
                                                          const std::string& value) {
    std::string class_name;
    switch (component.FindProperty(property, class_name)) {
    case PropertyKind::Missing:
        return std::nullopt;
    case PropertyKind::Value: {
        std::string error;
        if (!component.SetValue(property, value, error)) return error;
        return std::nullopt;
    }
    case PropertyKind::StringList:
        component.SetList(property, SplitDelimitedList(value));
        return std::nullopt;
    case PropertyKind::OtherClass:
        NotImplemented(class_name);
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> TLanguageFile::GetPropertyValue(ILanguageComponent& component, const std::string& property) {
    std::string class_name;
    switch (component.FindProperty(property, class_name)) {
    case PropertyKind::Missing:
        return std::nullopt;
    case PropertyKind::Value:
        return component.GetValue(property);
    case PropertyKind::StringList:
        return JoinDelimitedList(component.GetList(property));
    case PropertyKind::OtherClass:
        // Group items and menu items are exported through their own components.
        if (class_name != "TEcGroupItems" && class_name != "TMenuItem") NotImplemented(class_name);
        return std::nullopt;
    }
    return std::nullopt;
}

bool TLanguageFile::ExportProperty(ILanguageWindow& window, const std::string& property, const std::string& path) {
    const std::string section = window.WindowClassName();
    if (auto own = GetPropertyValue(window.Self(), property)) {
        if (!plat::ini_write_string(path, section, "." + property, profile_value(*own))) return false;
    }
    for (std::size_t i = 0; i < window.ComponentCount(); ++i) {
        ILanguageComponent& component = window.Component(i);
        auto value = GetPropertyValue(component, property);
        if (!value || value->empty()) continue;
        if (!plat::ini_write_string(path, section, component.ComponentName() + "." + property, profile_value(*value))) return false;
    }
    return true;
}

std::string SystemLanguageFilePath(const std::string& executable_path, int language_id) {
    std::string name = plat::extract_file_name(executable_path);
    if (auto dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
    return plat::extract_file_dir(executable_path) + name + "_language\\" + std::to_string(language_id) + ".ini";
}

std::string LanguageFilePath(const std::string& program_dir, const std::string& name) {
    return program_dir + "\\Lang\\" + name + ".ini";
}

std::string DefaultLanguageFilePath(const std::string& program_dir) { return LanguageFilePath(program_dir, "default"); }

std::vector<std::string> LanguageChoices(const std::string& program_dir) {
    std::vector<std::string> names;
    for (const plat::DirEntry& e : plat::list_directory(program_dir + "\\Lang")) {
        if (e.is_directory || e.name.size() <= 4) continue;
        const std::string ext = e.name.substr(e.name.size() - 4);
        if (same_text_ignoring_case(ext, ".ini")) names.push_back(e.name.substr(0, e.name.size() - 4));
    }
    return names;
}

bool ExportLanguageFile(TLanguageFile& language, const std::vector<ExportItem>& items, const std::string& path) {
    bool all = true;
    for (const ExportItem& item : items) {
        if (!item.window) continue;
        for (const std::string& property : item.properties) {
            if (!language.ExportProperty(*item.window, property, path)) {
                all = false;
                break;
            }
        }
    }
    return all;
}

} // namespace station
