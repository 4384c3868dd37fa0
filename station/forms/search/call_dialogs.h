// The two dialogs of one call: its properties and its note editor, each read from its
// description, and the modal use of both.
#pragma once
#include <string>

#include "controls/ec_button.h"
#include "controls/ec_edit.h"
#include "controls/ec_label.h"
#include "controls/ec_status.h"
#include "controls/ec_tabs.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/image_list.h"
#include "station/core/search/call_properties.h"
#include "station/forms/search/search_frame.h"

namespace forms {

class TRecLogPropertyForm : public ui::Form {
    UI_CLASS_IDENTITY()
public:
    explicit TRecLogPropertyForm(ui::Component* owner);
    // Fills the labels; a call type other than the three known ones leaves the glyph as it was.
    void ShowRecord(const station::CallProperties& properties);

    ui::ImageList* ImageList1 = nullptr;
    ec::TEcPageControl* pageControl = nullptr;
    ec::TEcTabSheet* tabGeneral = nullptr;
    ec::TEcGlyphStatus* EcGlyphStatusCallType = nullptr;
    ec::TEcLabel *labelCallTypeValue = nullptr, *labelLineIDValue = nullptr, *labelAgentIDValue = nullptr,
                 *labelAgentNameValue = nullptr, *labelStartTimeValue = nullptr, *labelDurationValue = nullptr,
                 *labelCallerIDValue = nullptr, *labelCallerNameValue = nullptr, *labelDtmfValue = nullptr,
                 *labelFileSizeValue = nullptr;
    ec::TEcEdit* editFilePath = nullptr;
    ec::TEcMemo* memoComment = nullptr;
    ec::TEcBitBtn* btnClose = nullptr;
};

class TEditCallLogCommentForm : public ui::Form {
    UI_CLASS_IDENTITY()
public:
    explicit TEditCallLogCommentForm(ui::Component* owner);
    std::wstring FComment;

    ec::TEcLabel* labelComment = nullptr;
    ec::TEcMemo* memoComment = nullptr;
    ec::TEcBitBtn *btnSure = nullptr, *btnCancel = nullptr;

    void FormShow();
    void btnSureClick();
};

// Shows the dialogs modally, creating each once.
class ModalCallDialogs : public ICallDialogs {
public:
    explicit ModalCallDialogs(ui::Component* owner);
    bool EditNote(std::wstring& note) override;
    void ShowProperties(const station::CallProperties& properties) override;

    TRecLogPropertyForm* properties_form;
    TEditCallLogCommentForm* note_form;
};

} // namespace forms
