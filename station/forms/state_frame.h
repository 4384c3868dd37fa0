// The transfer state view's frame: a tool panel with the two device buttons above the list of
// devices, read from its description. The rules are TransferStateView's; this is their window.
#pragma once
#include <memory>

#include "controls/ec_button.h"
#include "controls/ec_panel.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/list_view.h"
#include "station/forms/board_list_view.h"
#include "station/forms/state_view.h"

namespace forms {

class TMyFTPStateFrame : public ui::Frame, public IStateButtons {
    UI_CLASS_IDENTITY()
public:
    // Reads the frame's description (resource VQSTATEFRAME); throws when it does not read.
    TMyFTPStateFrame(ui::Component* owner, station::BoardTable& boards, TransferStateView::DeviceCount count,
                     const station::StationTexts& texts, station::ITransferLibrary& library,
                     TransferStateView::LogWriter log);
    ~TMyFTPStateFrame() override;

    ec::TEcPanel* panelTool = nullptr;
    ec::TEcToolButton* btnEnableDev = nullptr;
    ec::TEcToolButton* btnDisableDev = nullptr;
    ui::ListView* lvBoard = nullptr;
    ui::ImageList* ImageList_Small = nullptr;

    TransferStateView& View() { return *view_; }
    void SetButtonsEnabled(bool enable_button, bool disable_button) override;

private:
    void lvBoardClick(ui::Component*);
    void lvBoardChange(ui::Component*, ui::ListItem*, bool);
    void EnableOrDisableDev(ui::Component* sender);

    std::unique_ptr<BoardListView> rows_;
    std::unique_ptr<TransferStateView> view_;
};

} // namespace forms
