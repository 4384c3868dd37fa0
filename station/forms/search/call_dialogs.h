// The two dialogs of one call: its properties and its note editor, and the modal use of both.
#pragma once
#include <string>
#include <vector>

#include "platform/ui/win/comctl_controls.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/std_controls.h"
#include "station/core/search/call_properties.h"
#include "station/forms/search/search_frame.h"

namespace forms {

class TRecLogPropertyForm : public ui::Form {
    UI_CLASS_IDENTITY()
public:
    explicit TRecLogPropertyForm(ui::Component* owner, ui::ImageList* call_type_images);
    // Fills the labels; a call type other than the three known ones leaves the glyph as it was.
    void ShowRecord(const station::CallProperties& properties);

    ui::PageControl* pageControl;
    ui::TabSheet* tabGeneral;
    ui::Image* EcGlyphStatusCallType;
    ui::Label *labelCallTypeValue, *labelLineIDValue, *labelAgentIDValue, *labelAgentNameValue, *labelStartTimeValue,
        *labelDurationValue, *labelCallerIDValue, *labelCallerNameValue, *labelDtmfValue, *labelFileSizeValue;
    ui::Edit* editFilePath;
    ui::Memo* memoComment;
    ui::Button* btnClose;

private:
    ui::Label* AddLabel(int x, int y, int w, const std::string& caption);
    ui::ImageList* images_;
};

class TEditCallLogCommentForm : public ui::Form {
    UI_CLASS_IDENTITY()
public:
    explicit TEditCallLogCommentForm(ui::Component* owner);
    std::wstring FComment;

    ui::Label* labelComment;
    ui::Memo* memoComment;
    ui::Button *btnSure, *btnCancel;

    void FormShow();
    void btnSureClick();
};

// Shows the dialogs modally, creating each once.
class ModalCallDialogs : public ICallDialogs {
public:
    explicit ModalCallDialogs(ui::Component* owner, ui::ImageList* call_type_images);
    bool EditNote(std::wstring& note) override;
    void ShowProperties(const station::CallProperties& properties) override;

    TRecLogPropertyForm* properties_form;
    TEditCallLogCommentForm* note_form;
};

} // namespace forms
