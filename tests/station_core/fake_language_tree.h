// A window of named components with published properties, standing in for the window layer.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "station/core/language_target.h"

namespace station_test {

inline std::string Lower(std::string s) {
    for (char& c : s) if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return s;
}

struct FakeProperty {
    station::PropertyKind kind = station::PropertyKind::Value;
    std::string value;
    std::vector<std::string> items;
    std::string class_name;
    bool numeric = false;  // setting a text that is not a number fails, as with an Integer property
};

class FakeComponent : public station::ILanguageComponent {
public:
    explicit FakeComponent(std::string name) : name_(std::move(name)) {}

    FakeComponent& Text(const std::string& property, const std::string& value) {
        props_[Lower(property)] = FakeProperty{station::PropertyKind::Value, value, {}, {}, false};
        return *this;
    }
    FakeComponent& Number(const std::string& property, const std::string& value) {
        props_[Lower(property)] = FakeProperty{station::PropertyKind::Value, value, {}, {}, true};
        return *this;
    }
    FakeComponent& List(const std::string& property, std::vector<std::string> items) {
        props_[Lower(property)] = FakeProperty{station::PropertyKind::StringList, {}, std::move(items), {}, false};
        return *this;
    }
    FakeComponent& Object(const std::string& property, const std::string& class_name) {
        props_[Lower(property)] = FakeProperty{station::PropertyKind::OtherClass, {}, {}, class_name, false};
        return *this;
    }
    const FakeProperty& Prop(const std::string& property) { return props_.at(Lower(property)); }

    std::string ComponentName() const override { return name_; }
    station::PropertyKind FindProperty(const std::string& property, std::string& class_name) const override {
        auto it = props_.find(Lower(property));
        if (it == props_.end()) return station::PropertyKind::Missing;
        class_name = it->second.class_name;
        return it->second.kind;
    }
    std::string GetValue(const std::string& property) const override { return props_.at(Lower(property)).value; }
    bool SetValue(const std::string& property, const std::string& value, std::string& error) override {
        FakeProperty& p = props_.at(Lower(property));
        if (p.numeric && value.find_first_not_of("-0123456789") != std::string::npos) {
            error = "'" + value + "' is not a valid integer value";
            return false;
        }
        p.value = value;
        return true;
    }
    std::vector<std::string> GetList(const std::string& property) const override { return props_.at(Lower(property)).items; }
    void SetList(const std::string& property, const std::vector<std::string>& items) override {
        props_.at(Lower(property)).items = items;
    }

private:
    std::string name_;
    std::map<std::string, FakeProperty> props_;
};

class FakeWindow : public station::ILanguageWindow {
public:
    explicit FakeWindow(std::string class_name) : class_name_(std::move(class_name)), self_("") {}

    FakeComponent& Own() { return self_; }
    FakeComponent& Add(const std::string& name) {
        components_.push_back(std::make_unique<FakeComponent>(name));
        return *components_.back();
    }
    FakeComponent& Get(const std::string& name) { return static_cast<FakeComponent&>(*FindComponent(name)); }

    std::string WindowClassName() const override { return class_name_; }
    station::ILanguageComponent& Self() override { return self_; }
    station::ILanguageComponent* FindComponent(const std::string& name) override {
        for (auto& c : components_) if (Lower(c->ComponentName()) == Lower(name)) return c.get();
        return nullptr;
    }
    std::size_t ComponentCount() const override { return components_.size(); }
    station::ILanguageComponent& Component(std::size_t index) override { return *components_.at(index); }

private:
    std::string class_name_;
    FakeComponent self_;
    std::vector<std::unique_ptr<FakeComponent>> components_;
};

class RecordingNotices : public station::ILanguageNotices {
public:
    void Information(const std::string& text, const std::string& caption) override {
        messages.push_back(caption + ": " + text);
    }
    std::vector<std::string> messages;
};

} // namespace station_test
