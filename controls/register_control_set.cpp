#include "controls/register_control_set.h"

#include "controls/ec_chk_lst.h"
#include "controls/ec_cmbo_bx.h"
#include "controls/ec_list_vw.h"
#include "controls/ec_lst_box.h"
#include "controls/model/frame_controller.h"
#include "platform/ui/description_reader.h"

namespace ec {

void register_control_set_classes() {
    ui::register_class(FrameController::static_class());
    ui::register_class(RegIniFile::static_class());
    // the list controls
    ui::register_class(TEcListBox::static_class());
    ui::register_class(TEcCheckList::static_class());
    ui::register_class(TEcComboBox::static_class());
    ui::register_class(TEcListView::static_class());
}

} // namespace ec
