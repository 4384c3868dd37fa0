#include "controls/register_control_set.h"

#include "controls/ec_border.h"
#include "controls/ec_button.h"
#include "controls/ec_chk_lst.h"
#include "controls/ec_cmbo_bx.h"
#include "controls/ec_label.h"
#include "controls/ec_list_vw.h"
#include "controls/ec_lst_box.h"
#include "controls/ec_panel.h"
#include "controls/ec_rad_chk.h"
#include "controls/ec_rad_grp.h"
#include "controls/ec_snd_msg.h"
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
}

} // namespace ec
