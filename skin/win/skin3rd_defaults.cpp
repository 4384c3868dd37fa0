#include "skin/win/skin3rd_defaults.h"

namespace skin {

// Grouped by kind. "TLMDGroupBox" is skinned as a group box: its line stands before the one
// that would make it a panel. Three classes are named twice, which changes nothing.
const std::vector<std::string>& DefaultSkin3rd() {
    static const std::vector<std::string> lines = {
        "TCategoryButtons=scrollbar",
        "TPngSpeedbutton=pngspeedbutton",
        "TPngBitBtn=pngbitbtn",
        "TVirtualStringTree=scrollbar", "TVirtualDrawTree=scrollbar", "TAdvPanelGroup=scrollbar",
        "THTMLViewer=scrollbar", "TDBCtrlGrid=scrollbar", "TImageEnMView=scrollbar", "TImageEnView=scrollbar",
        "TAdvMemo=scrollbar", "TDBAdvMemo=scrollbar",
        "TEcButton=button",
        "TEcMenuButton=menubtn",
        "TLMDGroupBox=groupbox", "TcxGroupbox=groupbox",
        "TTBXDockablePanel=panel", "TControlBar=panel", "TTBDock=panel", "TTBToolbar=panel", "TEcGroup=panel",
        "TLMDCalculator=panel", "TLMDGROUPBOX=panel", "TLMDSIMPLEPANEL=panel", "TLMDDBCalendar=panel",
        "TLMDButtonPanel=panel", "TLMDLMDCalculator=panel", "TLMDHeaderPanel=panel", "TLMDTechnicalLine=panel",
        "TLMDLMDClock=panel", "TLMDTrackbar=panel",
        "TComboboxex=combobox", "TcxDBLookupComboBox=combobox", "TcxDBComboBox=combobox", "TcxDBDateEdit=combobox",
        "TcxDBImageComboBox=combobox", "TcxDBCalcEdit=combobox", "TcxDBBlobEdit=combobox",
        "TcxDBPopupEdit=combobox", "TcxDBFontNameComboBox=combobox", "TcxDBShellComboBox=combobox",
        "TRxLookupEdit=combobox", "TRxDBLookupCombo=combobox", "TEcDateTimeEdit=combobox", "TEcColorEdit=combobox",
        "TEcDateTimePicker=combobox", "TEcDBDateTimeEdit=combobox", "TEcDbColorEdit=combobox",
        "TEcDBDateTimePicker=combobox", "TLMDListCombobox=combobox", "TLMDCheckListCombobox=combobox",
        "TLMDHeaderListCombobox=combobox", "TLMDImageCombobox=combobox", "TLMDColorCombobox=combobox",
        "TLMDFontCombobox=combobox", "TLMDFontSizeCombobox=combobox", "TLMDFontSizeCombobox=combobox",
        "TLMDPrinterCombobox=combobox", "TLMDDriveCombobox=combobox", "TLMDCalculatorComboBox=combobox",
        "TLMDTrackBarComboBox=combobox", "TLMDCalendarComboBox=combobox", "TLMDTreeComboBox=combobox",
        "TDBLookupCombobox=combobox", "TWWDBCombobox=combobox", "TWWDBCombobox=combobox",
        "TWWDBLookupCombo=combobox", "TWWKeyCombo=combobox", "TWWTempKeyCombo=combobox",
        "TWWDBDateTimePicker=combobox",
        "TRxSpeedButton=speedbutton", "TfrSpeedButton=speedbutton", "TfrTBButton=speedbutton",
        "TEcBitbtn=bitbtn", "TLMDButton=bitbtn", "TcxButton=bitbtn",
        "TEcCheckGroup=checkgroup", "TLMDCheckGroup=checkgroup", "TLMDDBCheckGroup=checkgroup",
        "TEcRadioGroup=radiogroup", "TEcDBRadioGroup=radiogroup", "TLMDRADIOGROUP=radiogroup",
        "TLMDDBRADIOGROUP=radiogroup", "TWWRADIOGROUP=radiogroup", "TcxDBRadioGroup=radiogroup",
        "TcxRadioGroup=radiogroup",
        "TEcDBRadioButton=radiobutton", "TLMDRadiobutton=radiobutton",
        "TDBCheckboxEh=checkbox", "TDBCheckboxEh=checkbox", "TLMDCHECKBOX=checkbox", "TLMDDBCHECKBOX=checkbox",
        "TEcButtonEdit=edit", "TLMDCalculatorEdit=edit", "TLMDEDIT=edit", "TLMDMASKEDIT=edit",
        "TLMDBROWSEEDIT=edit", "TLMDEXTSPINEDIT=edit", "TLMDCALENDAREDIT=edit", "TLMDFILEOPENEDIT=edit",
        "TLMDFILESAVEEDIT=edit", "TLMDCOLOREDIT=edit", "TLMDDBEDIT=edit", "TLMDDBMASKEDIT=edit",
        "TLMDDBEXTSPINEDIT=edit", "TLMDDBSPINEDIT=edit", "TLMDDBEDITDBLookup=edit", "TLMDEDITDBLookup=edit",
        "TWWDBEDIT=edit", "TOVCPICTUREFIELD=edit", "TOVCDBPICTUREFIELD=edit", "TOVCSLIDEREDIT=edit",
        "TOVCDBSLIDEREDIT=edit", "TOVCSIMPLEFIELD=edit", "TOVCDBSIMPLEFIELD=edit", "TO32DBFLEXEDIT=edit",
        "TOVCNUMERICFIELD=edit", "TOVCDBNUMERICFIELD=edit",
    };
    return lines;
}

} // namespace skin
