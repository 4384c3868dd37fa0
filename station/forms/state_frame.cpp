#include "station/forms/state_frame.h"

#include "platform/ui/description_reader.h"
#include "station/forms/station_description.h"

namespace forms {

ui::ClassInfo& TMyFTPStateFrame::static_class() {
    static ui::ClassInfo info("TMyFTPStateFrame", &ui::Frame::static_class());
    return info;
}

TMyFTPStateFrame::TMyFTPStateFrame(ui::Component* owner, station::BoardTable& boards,
                                   TransferStateView::DeviceCount count, const station::StationTexts& texts,
                                   station::ITransferLibrary& library, TransferStateView::LogWriter log)
    : ui::Frame(owner) {
    register_method("lvBoardClick", this, &TMyFTPStateFrame::lvBoardClick);
    register_method("lvBoardChange", this, &TMyFTPStateFrame::lvBoardChange);
    register_method("EnableOrDisableDev", this, &TMyFTPStateFrame::EnableOrDisableDev);
    load_resource(L"VQSTATEFRAME");
    panelTool = Part<ec::TEcPanel>(*this, "panelTool");
    btnEnableDev = Part<ec::TEcToolButton>(*this, "btnEnableDev");
    btnDisableDev = Part<ec::TEcToolButton>(*this, "btnDisableDev");
    lvBoard = Part<ui::ListView>(*this, "lvBoard");
    ImageList_Small = Part<ui::ImageList>(*this, "ImageList_Small");
    rows_ = std::make_unique<BoardListView>(*lvBoard);
    view_ = std::make_unique<TransferStateView>(*rows_, *this, boards, std::move(count), texts, library,
                                                std::move(log));
}

TMyFTPStateFrame::~TMyFTPStateFrame() {
    // The list and the buttons go first: their events reach the rules held below.
    release_owned();
}

void TMyFTPStateFrame::lvBoardClick(ui::Component*) {
    view_->SelectionChanged();
}

void TMyFTPStateFrame::lvBoardChange(ui::Component*, ui::ListItem*, bool) {
    view_->SelectionChanged();
}

void TMyFTPStateFrame::EnableOrDisableDev(ui::Component* sender) {
    view_->EnableOrDisableDev(sender->tag() != 0);
}

void TMyFTPStateFrame::SetButtonsEnabled(bool enable_button, bool disable_button) {
    btnEnableDev->set_enabled(enable_button);
    btnDisableDev->set_enabled(disable_button);
}

} // namespace forms
