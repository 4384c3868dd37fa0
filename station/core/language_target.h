// What the language files need from the windows: find a component of a window by name and read
// or write one of its published properties by name. The window layer implements it.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace station {

enum class PropertyKind {
    Missing,     // no published property of that name
    Value,       // not a class: set from its text form, read as text
    StringList,  // "TStrings" or "TStringList"
    OtherClass,  // any other class type
};

class ILanguageComponent {
public:
    virtual ~ILanguageComponent() = default;
    virtual std::string ComponentName() const = 0;
    // Property names compare without case. For OtherClass, `class_name` receives its type name.
    virtual PropertyKind FindProperty(const std::string& property, std::string& class_name) const = 0;
    virtual std::string GetValue(const std::string& property) const = 0;
    // False when the text cannot be converted to the property's type; `error` says why.
    virtual bool SetValue(const std::string& property, const std::string& value, std::string& error) = 0;
    virtual std::vector<std::string> GetList(const std::string& property) const = 0;
    virtual void SetList(const std::string& property, const std::vector<std::string>& items) = 0;
};

// A window: itself a component, and the owner of other components in a fixed order.
class ILanguageWindow {
public:
    virtual ~ILanguageWindow() = default;
    virtual std::string WindowClassName() const = 0;
    virtual ILanguageComponent& Self() = 0;
    // The owned component of that name (names compare without case), or none.
    virtual ILanguageComponent* FindComponent(const std::string& name) = 0;
    virtual std::size_t ComponentCount() const = 0;
    virtual ILanguageComponent& Component(std::size_t index) = 0;
};

// Messages for the user that the window layer shows (the core shows nothing itself).
class ILanguageNotices {
public:
    virtual ~ILanguageNotices() = default;
    virtual void Information(const std::string& text, const std::string& caption) = 0;
};

} // namespace station
