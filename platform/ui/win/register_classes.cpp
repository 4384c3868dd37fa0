#include "platform/ui/description_reader.h"
#include "platform/ui/win/actions.h"
#include "platform/ui/win/comctl_controls.h"
#include "platform/ui/win/dialogs.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/list_view.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/scroll_box.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/timer.h"

namespace ui {

void register_control_classes() {
    for (const ClassInfo* c :
         {&Panel::static_class(), &GroupBox::static_class(), &Label::static_class(), &Image::static_class(),
          &Edit::static_class(), &Memo::static_class(), &Button::static_class(), &CheckBox::static_class(),
          &RadioButton::static_class(), &ComboBox::static_class(), &ListBox::static_class(), &ScrollBar::static_class(),
          &ScrollBox::static_class(), &ListView::static_class(), &PageControl::static_class(), &TabSheet::static_class(), &StatusBar::static_class(),
          &ProgressBar::static_class(), &TrackBar::static_class(), &UpDown::static_class(),
          &DateTimePicker::static_class(), &PageScroller::static_class(), &ToolBar::static_class(),
          &ToolButton::static_class(), &MenuItem::static_class(), &MainMenu::static_class(), &PopupMenu::static_class(),
          &ImageList::static_class(), &Timer::static_class(), &Action::static_class(), &ActionList::static_class(),
          &OpenDialog::static_class(), &SaveDialog::static_class()})
        register_class(*c);
}

} // namespace ui
