#include "platform/ui/win/actions.h"

#include <algorithm>

#include "platform/ui/win/image_list.h"

namespace ui {

ClassInfo& Action::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TAction", &Component::static_class());
        c.factory = factory_of<Action>();
        PropBuilder<Action>(c)
            .string("Caption", &Action::caption, &Action::set_caption, "TCaption")
            .boolean("Checked", &Action::checked, &Action::set_checked)
            .boolean("Enabled", &Action::enabled, &Action::set_enabled, true)
            .boolean("Visible", &Action::visible, &Action::set_visible, true)
            .integer("ImageIndex", &Action::image_index, &Action::set_image_index, -1, "TImageIndex")
            .string("Hint", &Action::hint, &Action::set_hint)
            .integer("GroupIndex", &Action::group_index, &Action::set_group_index)
            .boolean("AutoCheck", &Action::auto_check, &Action::set_auto_check)
            .event("OnExecute", "TNotifyEvent", &Action::on_execute)
            .event("OnUpdate", "TNotifyEvent", &Action::on_update);
        return c;
    }();
    return info;
}

Action::Action(Component* owner) : Component(owner) {}

Action::~Action() {
    // Linked clients asked for free notification and drop the link themselves.
    release_owned();
    set_action_list(nullptr);
}

void Action::set_action_list(ActionList* list) {
    if (list == list_) return;
    if (list_) list_->actions_.erase(std::remove(list_->actions_.begin(), list_->actions_.end(), this), list_->actions_.end());
    list_ = list;
    if (list) list->actions_.push_back(this);
}

void Action::set_caption(const std::string& c) {
    caption_ = c;
    changed();
}

void Action::set_checked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    // One checked action per group of the same list.
    if (v && group_index_ > 0 && list_)
        for (Action* a : list_->actions_)
            if (a != this && a->group_index_ == group_index_ && a->checked_) {
                a->checked_ = false;
                a->changed();
            }
    changed();
}

void Action::set_enabled(bool v) {
    enabled_ = v;
    changed();
}

void Action::set_visible(bool v) {
    visible_ = v;
    changed();
}

void Action::set_image_index(int i) {
    image_index_ = i;
    changed();
}

void Action::set_hint(const std::string& h) {
    hint_ = h;
    changed();
}

void Action::set_group_index(int g) {
    group_index_ = g;
    changed();
}

bool Action::execute() {
    if (on_update) on_update(this);
    if (!enabled_ || !on_execute) return false;
    if (auto_check_) set_checked(group_index_ > 0 ? true : !checked_);
    on_execute(this);
    return true;
}

void Action::register_link(ActionLink* link) {
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void Action::unregister_link(ActionLink* link) { links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end()); }

void Action::changed() {
    for (ActionLink* l : std::vector<ActionLink*>(links_)) l->action_changed();
}

ClassInfo& ActionList::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TActionList", &Component::static_class());
        c.factory = factory_of<ActionList>();
        PropBuilder<ActionList>(c).reference<ImageList>("Images", "TCustomImageList", &ActionList::images, &ActionList::set_images);
        return c;
    }();
    return info;
}

bool ActionList::adopt_child(Component* child) {
    auto* a = dynamic_cast<Action*>(child);
    if (!a) return false;
    a->set_action_list(this);
    return true;
}

void ActionList::set_images(ImageList* images) {
    images_ = images;
    if (images) free_notification(images);
}

void ActionList::notification(Component* c, TOperation op) {
    Component::notification(c, op);
    if (op == TOperation::opRemove && c == images_) images_ = nullptr;
}

} // namespace ui
