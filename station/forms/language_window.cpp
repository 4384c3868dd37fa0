#include "station/forms/language_window.h"

#include "platform/ui/persistent.h"

namespace forms {

namespace {
constexpr const char* kLineBreak = "\r\n";

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(kLineBreak, start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}
} // namespace

station::PropertyKind LanguageComponent::FindProperty(const std::string& property, std::string& class_name) const {
    const ui::PropInfo* info = ui::find_property(component_, property);
    if (info == nullptr) return station::PropertyKind::Missing;
    switch (info->kind) {
    case ui::PropKind::StringList: return station::PropertyKind::StringList;
    case ui::PropKind::Object:
    case ui::PropKind::Collection:
    case ui::PropKind::Reference:
        class_name = info->type_name;
        return station::PropertyKind::OtherClass;
    case ui::PropKind::Event:
    case ui::PropKind::Binary: return station::PropertyKind::Missing;
    default: return station::PropertyKind::Value;
    }
}

std::string LanguageComponent::GetValue(const std::string& property) const {
    try {
        return ui::get_property_text(component_, property);
    } catch (const ui::PropertyError&) {
        return {};
    }
}

bool LanguageComponent::SetValue(const std::string& property, const std::string& value, std::string& error) {
    try {
        ui::set_property_text(component_, property, value);
        return true;
    } catch (const ui::PropertyError& e) {
        error = e.what();
        return false;
    }
}

std::vector<std::string> LanguageComponent::GetList(const std::string& property) const {
    return split_lines(GetValue(property));
}

void LanguageComponent::SetList(const std::string& property, const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += kLineBreak;
        text += items[i];
    }
    std::string ignored;
    SetValue(property, text, ignored);
}

LanguageComponent& LanguageWindow::adapter(ui::Component& c) {
    auto& slot = adapters_[&c];
    if (!slot) slot = std::make_unique<LanguageComponent>(c);
    return *slot;
}

station::ILanguageComponent* LanguageWindow::FindComponent(const std::string& name) {
    ui::Component* c = window_.find_component(name);
    return c == nullptr ? nullptr : &adapter(*c);
}

station::ILanguageComponent& LanguageWindow::Component(std::size_t index) {
    return adapter(*window_.components().at(index));
}

} // namespace forms
