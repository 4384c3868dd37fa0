// Language files reach a window's components by name and their published properties by name:
// this adapts a window of the window class library to what the language files ask for.
#pragma once
#include <map>
#include <memory>

#include "platform/ui/component.h"
#include "station/core/language_target.h"

namespace forms {

class LanguageComponent final : public station::ILanguageComponent {
public:
    explicit LanguageComponent(ui::Component& component) : component_(component) {}
    std::string ComponentName() const override { return component_.name(); }
    station::PropertyKind FindProperty(const std::string& property, std::string& class_name) const override;
    std::string GetValue(const std::string& property) const override;
    bool SetValue(const std::string& property, const std::string& value, std::string& error) override;
    std::vector<std::string> GetList(const std::string& property) const override;
    void SetList(const std::string& property, const std::vector<std::string>& items) override;

private:
    ui::Component& component_;
};

class LanguageWindow final : public station::ILanguageWindow {
public:
    explicit LanguageWindow(ui::Component& window) : window_(window), self_(window) {}
    std::string WindowClassName() const override { return window_.class_name(); }
    station::ILanguageComponent& Self() override { return self_; }
    station::ILanguageComponent* FindComponent(const std::string& name) override;
    std::size_t ComponentCount() const override { return window_.components().size(); }
    station::ILanguageComponent& Component(std::size_t index) override;

private:
    LanguageComponent& adapter(ui::Component& c);
    ui::Component& window_;
    LanguageComponent self_;
    std::map<ui::Component*, std::unique_ptr<LanguageComponent>> adapters_;
};

} // namespace forms
