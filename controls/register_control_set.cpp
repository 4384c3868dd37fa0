#include "controls/register_control_set.h"

#include "controls/ec_border.h"
#include "controls/ec_btn_edt.h"
#include "controls/ec_button.h"
#include "controls/ec_chk_lst.h"
#include "controls/ec_cmbo_bx.h"
#include "controls/ec_dtp.h"
#include "controls/ec_edit.h"
#include "controls/ec_label.h"
#include "controls/ec_list_vw.h"
#include "controls/ec_lst_box.h"
#include "controls/ec_panel.h"
#include "controls/ec_popups.h"
#include "controls/ec_rad_chk.h"
#include "controls/ec_rad_grp.h"
#include "controls/ec_snd_msg.h"
#include "controls/ec_spn_edt.h"
#include "controls/ec_status.h"
#include "controls/ec_tabs.h"
#include "controls/ec_tray.h"
#include "controls/ec_trk_bar.h"
#include "controls/model/frame_controller.h"
#include "platform/ui/description_reader.h"

namespace ec {

void register_control_set_classes() {
    ui::register_class(FrameController::static_class());
    ui::register_class(RegIniFile::static_class());
    // Push buttons, bit buttons and the control button.
    register_button_classes();
    register_rad_chk_classes();
    // Panels, group boxes and spacers.
    register_panel_classes();
    register_radio_group_classes();
    // Labels, borders and the LED display, track bars, the send-message component.
    ui::register_class(TEcBorder::static_class());
    ui::register_class(TEcLEDDisplay::static_class());
    ui::register_class(TEcLabel::static_class());
    ui::register_class(TEcSendMessage::static_class());
    ui::register_class(TEcTrackBar::static_class());
    ui::register_class(TEcTrayIcon::static_class());
    // the list controls
    ui::register_class(TEcListBox::static_class());
    ui::register_class(TEcCheckList::static_class());
    ui::register_class(TEcComboBox::static_class());
    ui::register_class(TEcListView::static_class());
    // tool buttons, tool bars and the popup panel
    ui::register_class(TEcToolButton::static_class());
    ui::register_class(TEcToolbar::static_class());
    register_popup_classes();
    // Status bars and panes.
    ui::register_class(TEcStatusBar::static_class());
    ui::register_class(TEcGlyphStatus::static_class());
    // the page control and its tab sheets
    register_tab_classes();
    // the framed edit family
    ui::register_class(TEcButtonEdit::static_class());
    ui::register_class(TEcEdit::static_class());
    ui::register_class(TEcMemo::static_class());
    // date and time pickers, spin buttons and spin edits
    ui::register_class(TEcDateTimePicker::static_class());
    ui::register_class(TEcSpinButtons::static_class());
    ui::register_class(TEcSpinEdit::static_class());
}

} // namespace ec
