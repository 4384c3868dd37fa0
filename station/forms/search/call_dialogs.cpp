#include "station/forms/search/call_dialogs.h"

#include "platform/text_gbk.h"
#include "station/core/search/note_text.h"
#include "station/forms/station_description.h"

namespace forms {

ui::ClassInfo& TRecLogPropertyForm::static_class() {
    static ui::ClassInfo info("TRecLogPropertyForm", &ui::Form::static_class());
    return info;
}

TRecLogPropertyForm::TRecLogPropertyForm(ui::Component* owner) : ui::Form(owner) {
    LoadStationForm(*this, L"VQRECLOGPROPERTYFORM");
    ImageList1 = Part<ui::ImageList>(*this, "ImageList1");
    pageControl = Part<ec::TEcPageControl>(*this, "pageControl");
    tabGeneral = Part<ec::TEcTabSheet>(*this, "tabGeneral");
    EcGlyphStatusCallType = Part<ec::TEcGlyphStatus>(*this, "EcGlyphStatusCallType");
    labelCallTypeValue = Part<ec::TEcLabel>(*this, "labelCallTypeValue");
    labelLineIDValue = Part<ec::TEcLabel>(*this, "labelLineIDValue");
    labelAgentIDValue = Part<ec::TEcLabel>(*this, "labelAgentIDValue");
    labelAgentNameValue = Part<ec::TEcLabel>(*this, "labelAgentNameValue");
    labelStartTimeValue = Part<ec::TEcLabel>(*this, "labelStartTimeValue");
    labelDurationValue = Part<ec::TEcLabel>(*this, "labelDurationValue");
    labelCallerIDValue = Part<ec::TEcLabel>(*this, "labelCallerIDValue");
    labelCallerNameValue = Part<ec::TEcLabel>(*this, "labelCallerNameValue");
    labelDtmfValue = Part<ec::TEcLabel>(*this, "labelDtmfValue");
    labelFileSizeValue = Part<ec::TEcLabel>(*this, "labelFileSizeValue");
    editFilePath = Part<ec::TEcEdit>(*this, "editFilePath");
    memoComment = Part<ec::TEcMemo>(*this, "memoComment");
    btnClose = Part<ec::TEcBitBtn>(*this, "btnClose");
}

void TRecLogPropertyForm::ShowRecord(const station::CallProperties& p) {
    if (p.glyph >= 0) EcGlyphStatusCallType->set_image_index(p.glyph);
    labelCallTypeValue->set_caption(p.call_type);
    labelLineIDValue->set_caption(p.line);
    labelAgentIDValue->set_caption(p.agent_id);
    labelAgentNameValue->set_caption(p.agent_name);
    labelStartTimeValue->set_caption(p.start);
    labelDurationValue->set_caption(p.duration);
    labelCallerIDValue->set_caption(p.caller_id);
    labelCallerNameValue->set_caption(p.caller_name);
    labelDtmfValue->set_caption(p.dtmf);
    memoComment->set_text(p.note);
    editFilePath->set_text(p.file_path);
    labelFileSizeValue->set_caption(p.file_size);
}

ui::ClassInfo& TEditCallLogCommentForm::static_class() {
    static ui::ClassInfo info("TEditCallLogCommentForm", &ui::Form::static_class());
    return info;
}

TEditCallLogCommentForm::TEditCallLogCommentForm(ui::Component* owner) : ui::Form(owner) {
    register_method("FormShow", ui::NotifyEvent([this](ui::Component*) { FormShow(); }));
    register_method("btnSureClick", ui::NotifyEvent([this](ui::Component*) { btnSureClick(); }));
    LoadStationForm(*this, L"VQEDITCALLLOGCOMMENTFORM");
    labelComment = Part<ec::TEcLabel>(*this, "labelComment");
    memoComment = Part<ec::TEcMemo>(*this, "memoComment");
    btnSure = Part<ec::TEcBitBtn>(*this, "btnSure");
    btnCancel = Part<ec::TEcBitBtn>(*this, "btnCancel");
}

void TEditCallLogCommentForm::FormShow() {
    memoComment->set_text(plat::wide_to_gbk(station::TrimmedNote(FComment)));
    memoComment->set_focus();
}

void TEditCallLogCommentForm::btnSureClick() {
    FComment = station::TrimmedNote(plat::gbk_to_wide(memoComment->text()));
}

ModalCallDialogs::ModalCallDialogs(ui::Component* owner)
    : properties_form(new TRecLogPropertyForm(owner)), note_form(new TEditCallLogCommentForm(owner)) {}

bool ModalCallDialogs::EditNote(std::wstring& note) {
    note_form->FComment = note;
    if (note_form->show_modal() != ui::mrOk) return false;
    note = note_form->FComment;
    return true;
}

void ModalCallDialogs::ShowProperties(const station::CallProperties& properties) {
    properties_form->ShowRecord(properties);
    properties_form->show_modal();
}

} // namespace forms
