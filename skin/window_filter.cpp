#include "skin/window_filter.h"


namespace skin {
namespace {

std::string Lower(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

} // namespace

FilterVerdict FilterWindow(const WindowFacts& w, const FilterSettings& s, const std::function<bool()>& ask_veto) {
    using V = FilterVerdict;
    if (!s.skinning_on) return V::kSkinningOff;
    if (w.answers_skinned || w.listed) return V::kAlreadySkinned;
    if (!s.skinning_all && w.child && !w.mdi_child && Lower(w.parent_class) != "mdiclient") return V::kChildWindow;
    if (!w.has_control && !w.own_module && w.class_name != "#32770") return V::kForeign;
    if (w.empty_rect && !w.mdi_child) return V::kEmptyRect;
    if (w.has_control && w.control_tag == kUnskinnedWindowTag) return V::kDisabledTag;
    if (Contains(w.class_name, "TcxPopupEditPopupWindow") || Contains(w.class_name, "TTERenderWindow") ||
        w.class_name == "TApplication")
        return V::kExcludedClass;
    if (!s.has_main_component) return V::kSkin;
    const std::string lower = Lower(w.class_name);
    if (Contains(lower, "preview") && !s.main_options.has(TSkinOption::xoPreview)) return V::kPreview;
    if (w.class_name == "#32770" && w.set_foreground) return V::kSetForeground;
    if (lower == "tpopupdbtreeview") return V::kPopupTreeView;
    if (ask_veto && !ask_veto()) return V::kVetoed;
    return V::kSkin;
}

bool IsDialogClass(const std::string& class_name) {
    const std::string lower = Lower(class_name);
    return lower == "tmessageform" || lower == "#32770";
}

int ChooseSkinComponent(const std::vector<ComponentFacts>& components, const std::string& class_name) {
    auto last_of = [&](auto matches) {
        int found = -1;
        for (std::size_t i = 0; i < components.size(); ++i)
            if (matches(components[i])) found = static_cast<int>(i);
        return found;
    };
    int chosen = last_of([](const ComponentFacts& c) { return c.form_type == TSkinFormType::sfOnlyThisForm && c.owns_window; });
    if (chosen < 0 && IsDialogClass(class_name))
        chosen = last_of([](const ComponentFacts& c) { return c.form_type == TSkinFormType::sfDialog; });
    if (chosen < 0) chosen = last_of([](const ComponentFacts& c) { return c.form_type == TSkinFormType::sfMainform; });
    if (chosen < 0 && !components.empty()) chosen = 0;
    return chosen;
}

void CommandLatch::Issue(SkinCommand command, unsigned delay_ms) {
    pending_ = command;
    interval_ = delay_ms;
    if (started_) {
        timer_enabled_ = true;
        return;
    }
    if (command == SkinCommand::kSkinAll) skinning_on_ = true;
    if (command == SkinCommand::kUnskinAll) skinning_on_ = false;
}

SkinCommand CommandLatch::Take() {
    timer_enabled_ = false;
    const SkinCommand command = pending_;
    pending_ = SkinCommand::kNone;
    return command;
}

} // namespace skin
