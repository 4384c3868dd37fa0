// Actions: one command (caption, check, image, enabled state, handler) shared by the controls
// and menu items linked to it; a change of the action shows in all of them.
#pragma once
#include <functional>
#include <vector>

#include "platform/ui/component.h"

namespace ui {

class ActionList;
class ImageList;

// What a linked client takes from its action.
class ActionLink {
public:
    virtual ~ActionLink() = default;
    virtual void action_changed() = 0;
};

class Action : public Component {
    UI_CLASS_IDENTITY()
public:
    explicit Action(Component* owner);
    ~Action() override;

    const std::string& caption() const { return caption_; }
    void set_caption(const std::string& c);
    bool checked() const { return checked_; }
    void set_checked(bool v);
    bool enabled() const { return enabled_; }
    void set_enabled(bool v);
    bool visible() const { return visible_; }
    void set_visible(bool v);
    int image_index() const { return image_index_; }
    void set_image_index(int i);
    const std::string& hint() const { return hint_; }
    void set_hint(const std::string& h);
    int group_index() const { return group_index_; }
    void set_group_index(int g);
    bool auto_check() const { return auto_check_; }
    void set_auto_check(bool v) { auto_check_ = v; }
    ActionList* action_list() const { return list_; }
    void set_action_list(ActionList* list);

    // Runs OnExecute (after ticking an auto-check action); false when it has no handler or is disabled.
    bool execute();
    NotifyEvent on_execute, on_update;

    void register_link(ActionLink* link);
    void unregister_link(ActionLink* link);

private:
    void changed();
    std::string caption_, hint_;
    bool checked_ = false, enabled_ = true, visible_ = true, auto_check_ = false;
    int image_index_ = -1, group_index_ = 0;
    ActionList* list_ = nullptr;
    std::vector<ActionLink*> links_;
};

class ActionList : public Component {
    UI_CLASS_IDENTITY()
public:
    explicit ActionList(Component* owner) : Component(owner) {}
    bool adopt_child(Component* child) override;
    std::vector<Component*> children() const override { return {actions_.begin(), actions_.end()}; }
    const std::vector<Action*>& actions() const { return actions_; }
    ImageList* images() const { return images_; }
    void set_images(ImageList* images);

protected:
    void notification(Component* c, TOperation op) override;

private:
    friend class Action;
    std::vector<Action*> actions_;
    ImageList* images_ = nullptr;
};

} // namespace ui
