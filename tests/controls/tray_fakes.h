// A notification area that can refuse, and an application that records what was done to it.
#pragma once
#include <string>
#include <vector>

#include <functional>

#include "controls/model/tray_rules.h"

namespace tray_test {

struct FakeShell : ec::ITrayShell {
    bool new_shell = true;
    int refuse_adds = 0;  // the next N adds are refused
    bool present = false;
    ec::IconHandle icon = 0;
    std::string tip;
    int adds = 0, modifies = 0, deletes = 0;

    bool NewShell() const override { return new_shell; }
    bool Add(ec::IconHandle i, const std::string& t) override {
        ++adds;
        if (refuse_adds > 0) {
            --refuse_adds;
            return false;
        }
        present = true;
        icon = i;
        tip = t;
        return true;
    }
    bool Modify(ec::IconHandle i, const std::string& t) override {
        ++modifies;
        if (!present) return false;
        icon = i;
        tip = t;
        return true;
    }
    void Delete() override {
        ++deletes;
        present = false;
    }
};

struct FakeApp : ec::ITrayApplication {
    static constexpr ec::IconHandle kAppIcon = 0xA;
    bool window_visible = true;
    bool minimized = false;
    int foregrounds = 0;
    int popups = 0;
    bool timer_on = false;
    int timer_interval = 0;
    int installs = 0;
    std::function<void()> during_popup;

    ec::IconHandle ApplicationIcon() const override { return kAppIcon; }
    void Minimize() override { minimized = true; }
    void HideMainWindow() override { window_visible = false; }
    void Restore() override { minimized = false; }
    void ShowMainWindowInFront() override {
        window_visible = true;
        ++foregrounds;
    }
    void ShowPopupMenu() override {
        ++popups;
        if (during_popup) during_popup();
    }
    void SetAnimationTimer(bool enabled, int interval_ms) override {
        timer_on = enabled;
        timer_interval = interval_ms;
    }
    void InstallHandlers() override { ++installs; }
};

struct FakeIcons : ec::ITrayIconList {
    ec::IconHandle base;
    int count;
    FakeIcons(ec::IconHandle b, int c) : base(b), count(c) {}
    int Count() const override { return count; }
    ec::IconHandle Icon(int index) const override { return base + static_cast<ec::IconHandle>(index); }
};

} // namespace tray_test
