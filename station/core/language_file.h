// Language files: ini files of GBK texts with one section of property values per window class
// and the section "common" of named texts.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "station/core/language_target.h"

namespace station {

class TLanguageFile {
public:
    // Loads `system_language_file` when it exists. `notices` (may be null) receives the
    // messages about properties of kinds that language files cannot carry.
    TLanguageFile(const std::string& system_language_file, ILanguageNotices* notices);

    // The result of applying a file: empty, or the error of a value that did not convert
    // (the rest of that window's section is then skipped).
    using ApplyError = std::optional<std::string>;

    // Nothing when `path` is the loaded file or does not exist; otherwise loads it and applies it
    // to the current window.
    ApplyError LoadFile(const std::string& path);
    // Makes `window` the current one and applies the file to it, when it is not current yet.
    ApplyError SetForm(ILanguageWindow* window);
    ApplyError ApplySection(ILanguageWindow* window);

    // The named text from "common"; empty when missing or when no file is loaded.
    std::string GetText(const std::string& key) const;

    // False when the component has no such property or it is of another class kind.
    ApplyError SetPropertyValue(ILanguageComponent& component, const std::string& property,
                                const std::string& value);
    std::optional<std::string> GetPropertyValue(ILanguageComponent& component, const std::string& property);
    // Writes `property` of the window and of its components into the ini file `path`.
    bool ExportProperty(ILanguageWindow& window, const std::string& property, const std::string& path);

    const std::string& FileName() const { return file_name_; }
    ILanguageWindow* CurrentForm() const { return current_form_; }

private:
    void NotImplemented(const std::string& class_name);

    ILanguageNotices* notices_;
    ILanguageWindow* current_form_ = nullptr;
    std::string file_name_;
    bool file_open_ = false;
    std::vector<std::pair<std::string, std::string>> common_texts_;
};

// <folder of the program>\<program name without extension>_language\<id>.ini
std::string SystemLanguageFilePath(const std::string& executable_path, int language_id);
// <program folder>\Lang\<name>.ini, and the default file written by the export.
std::string LanguageFilePath(const std::string& program_dir, const std::string& name);
std::string DefaultLanguageFilePath(const std::string& program_dir);
// The language choices: the names of the "*.ini" files in <program folder>\Lang, without
// ".ini", in the order the file system lists them.
std::vector<std::string> LanguageChoices(const std::string& program_dir);

// One window of the default-language export and the property names written for it.
struct ExportItem {
    ILanguageWindow* window;  // a window that does not exist (yet) is passed as null and skipped
    std::vector<std::string> properties;
};
// Exports each window's properties into `path` in order. A window that fails ends only its own
// export; the result is false when any failed.
bool ExportLanguageFile(TLanguageFile& language, const std::vector<ExportItem>& items, const std::string& path);

} // namespace station
