// The transfer state view's frame: a tool panel with the two device buttons above the list of
// devices. The rules are TransferStateView's; this is their window.
#pragma once
#include <memory>

#include "platform/ui/win/forms.h"
#include "platform/ui/win/comctl_controls.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/list_view.h"
#include "platform/ui/win/std_controls.h"
#include "station/forms/board_list_view.h"
#include "station/forms/state_view.h"

namespace forms {

class TMyFTPStateFrame : public ui::Frame, public IStateButtons {
    UI_CLASS_IDENTITY()
public:
    TMyFTPStateFrame(ui::Component* owner, ui::ImageList* small_images, station::BoardTable& boards,
                     TransferStateView::DeviceCount count, const station::StationTexts& texts,
                     station::ITransferLibrary& library, TransferStateView::LogWriter log);
    ~TMyFTPStateFrame() override;

    ui::Panel* panelTool;
    ui::ToolBar* toolBarDevices;
    ui::ToolButton* btnEnableDev;
    ui::ToolButton* btnDisableDev;
    ui::ListView* lvBoard;

    TransferStateView& View() { return *view_; }
    void SetButtonsEnabled(bool enable_button, bool disable_button) override;

private:
    std::unique_ptr<BoardListView> rows_;
    std::unique_ptr<TransferStateView> view_;
};

} // namespace forms
