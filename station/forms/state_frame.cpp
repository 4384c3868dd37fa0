#include "station/forms/state_frame.h"

#include "station/core/gbk_literal.h"

namespace forms {

ui::ClassInfo& TMyFTPStateFrame::static_class() {
    static ui::ClassInfo info("TMyFTPStateFrame", &ui::Frame::static_class());
    return info;
}

TMyFTPStateFrame::TMyFTPStateFrame(ui::Component* owner, ui::ImageList* small_images, station::BoardTable& boards,
                                   TransferStateView::DeviceCount count, const station::StationTexts& texts,
                                   station::ITransferLibrary& library, TransferStateView::LogWriter log)
    : ui::Frame(owner) {
    set_name("MyFTPStateFrame");
    panelTool = new ui::Panel(this);
    panelTool->set_name("panelTool");
    panelTool->set_align(ui::TAlign::alTop);
    panelTool->set_height(33);
    panelTool->set_bevel_outer(ui::TBevelCut::bvNone);
    panelTool->set_parent(this);

    toolBarDevices = new ui::ToolBar(this);
    toolBarDevices->set_name("toolBarDevices");
    toolBarDevices->set_align(ui::TAlign::alClient);
    toolBarDevices->set_images(small_images);
    toolBarDevices->set_list(true);
    toolBarDevices->set_show_captions(true);
    toolBarDevices->set_flat(true);
    toolBarDevices->set_button_width(90);
    toolBarDevices->set_button_height(26);
    toolBarDevices->set_parent(panelTool);

    auto button = [this](const char* name, const char* caption, int image, int tag) {
        auto* b = new ui::ToolButton(this);
        b->set_name(name);
        b->set_caption(station::Gbk(caption));
        b->set_image_index(image);
        b->set_tag(tag);
        b->set_parent(toolBarDevices);
        return b;
    };
    btnEnableDev = button("btnEnableDev", u8"允许使用", 3, 0);
    btnDisableDev = button("btnDisableDev", u8"暂停使用", 4, 1);

    lvBoard = new ui::ListView(this);
    lvBoard->set_name("lvBoard");
    lvBoard->set_align(ui::TAlign::alClient);
    lvBoard->set_parent(this);
    rows_ = std::make_unique<BoardListView>(*lvBoard, small_images);

    view_ = std::make_unique<TransferStateView>(*rows_, *this, boards, std::move(count), texts, library,
                                                std::move(log));
    auto enable_or_disable = [this](ui::Component* sender) { view_->EnableOrDisableDev(sender->tag() != 0); };
    btnEnableDev->on_click = enable_or_disable;
    btnDisableDev->on_click = enable_or_disable;
    lvBoard->on_click = [this](ui::Component*) { view_->SelectionChanged(); };
    lvBoard->on_select_item = [this](ui::Component*, ui::ListItem*, bool) { view_->SelectionChanged(); };
}

TMyFTPStateFrame::~TMyFTPStateFrame() {
    // The list and the buttons go first: their events reach the rules held below.
    release_owned();
}

void TMyFTPStateFrame::SetButtonsEnabled(bool enable_button, bool disable_button) {
    btnEnableDev->set_enabled(enable_button);
    btnDisableDev->set_enabled(disable_button);
    // The bar shows a button's enabled state only when it rebuilds its buttons.
    toolBarDevices->update_buttons();
}

} // namespace forms
