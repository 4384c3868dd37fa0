#include "station/forms/search/call_dialogs.h"

#include "platform/text_gbk.h"
#include "station/core/gbk_literal.h"
#include "station/core/search/note_text.h"

namespace forms {

using station::Gbk;

namespace {

template <typename T>
T* place(T* control, ui::WinControl* parent, int x, int y, int w, int h) {
    control->set_parent(parent);
    control->set_bounds(x, y, w, h);
    return control;
}

} // namespace

ui::ClassInfo& TRecLogPropertyForm::static_class() {
    static ui::ClassInfo info("TRecLogPropertyForm", &ui::Form::static_class());
    return info;
}

TRecLogPropertyForm::TRecLogPropertyForm(ui::Component* owner, ui::ImageList* call_type_images)
    : ui::Form(owner), images_(call_type_images) {
    set_name("RecLogPropertyForm");
    set_caption(Gbk(u8"属性"));
    set_border_style(ui::TFormBorderStyle::bsDialog);
    set_position(ui::TPosition::poScreenCenter);
    set_client_width(380);
    set_client_height(420);

    pageControl = place(new ui::PageControl(this), this, 8, 8, 364, 370);
    tabGeneral = new ui::TabSheet(this);
    tabGeneral->set_page_control(pageControl);
    tabGeneral->set_caption(Gbk(u8"常规    "));

    EcGlyphStatusCallType = place(new ui::Image(this), tabGeneral, 12, 12, 16, 16);
    labelCallTypeValue = AddLabel(36, 12, 200, Gbk(u8"呼叫类型 :"));
    labelLineIDValue = AddLabel(12, 40, 240, Gbk(u8"线路名称 :"));
    labelAgentIDValue = AddLabel(12, 62, 240, Gbk(u8"坐席工号 :"));
    labelAgentNameValue = AddLabel(12, 84, 240, Gbk(u8"坐席名称 :"));
    labelStartTimeValue = AddLabel(12, 112, 240, Gbk(u8"开始时间 :"));
    labelDurationValue = AddLabel(12, 134, 240, Gbk(u8"持续时间 :"));
    labelCallerIDValue = AddLabel(12, 162, 240, Gbk(u8"主叫号码 :"));
    labelCallerNameValue = AddLabel(12, 184, 240, Gbk(u8"主叫名称 :"));
    labelDtmfValue = AddLabel(12, 206, 240, Gbk(u8"按键码 :"));
    AddLabel(12, 236, 0, Gbk(u8"录音文件 :"));
    editFilePath = place(new ui::Edit(this), tabGeneral, 100, 232, 244, 22);
    editFilePath->set_read_only(true);
    labelFileSizeValue = AddLabel(12, 262, 240, Gbk(u8"大小 :"));
    AddLabel(12, 288, 0, Gbk(u8"备注 :"));
    memoComment = place(new ui::Memo(this), tabGeneral, 100, 286, 244, 50);
    memoComment->set_read_only(true);

    btnClose = place(new ui::Button(this), this, 292, 386, 80, 26);
    btnClose->set_caption(Gbk(u8"关闭"));
    btnClose->set_default(true);
    btnClose->set_cancel(true);
    btnClose->set_modal_result(ui::mrOk);
}

// A caption on the left and, unless `value_width` is 0, its value label beside it.
ui::Label* TRecLogPropertyForm::AddLabel(int x, int y, int value_width, const std::string& caption) {
    ui::Label* name = place(new ui::Label(this), tabGeneral, x, y, 84, 18);
    name->set_caption(caption);
    if (value_width == 0) return name;
    return place(new ui::Label(this), tabGeneral, x + 88, y, value_width, 18);
}

void TRecLogPropertyForm::ShowRecord(const station::CallProperties& p) {
    if (p.glyph >= 0 && images_) {
        ui::Bitmap& glyph = EcGlyphStatusCallType->picture();
        glyph.set_size(16, 16);
        glyph.canvas().brush().color = ui::clBtnFace;
        glyph.canvas().fill_rect({0, 0, 16, 16});
        images_->draw(glyph.canvas(), 0, 0, p.glyph);
        EcGlyphStatusCallType->invalidate();
    }
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
    set_name("EditCallLogCommentForm");
    set_caption(Gbk(u8"呼叫记录的备注"));
    set_border_style(ui::TFormBorderStyle::bsDialog);
    set_position(ui::TPosition::poScreenCenter);
    set_client_width(360);
    set_client_height(200);
    labelComment = place(new ui::Label(this), this, 8, 8, 100, 18);
    labelComment->set_caption(Gbk(u8"备注："));
    memoComment = place(new ui::Memo(this), this, 8, 28, 344, 128);
    memoComment->set_max_length(static_cast<int>(station::kNoteMaxCharacters));
    btnSure = place(new ui::Button(this), this, 184, 166, 80, 26);
    btnSure->set_caption(Gbk(u8"确定"));
    btnSure->set_default(true);
    btnSure->set_modal_result(ui::mrOk);
    btnSure->on_click = [this](ui::Component*) { btnSureClick(); };
    btnCancel = place(new ui::Button(this), this, 272, 166, 80, 26);
    btnCancel->set_caption(Gbk(u8"取消"));
    btnCancel->set_cancel(true);
    btnCancel->set_modal_result(ui::mrCancel);
    on_show = [this](ui::Component*) { FormShow(); };
}

void TEditCallLogCommentForm::FormShow() {
    memoComment->set_text(plat::wide_to_gbk(station::TrimmedNote(FComment)));
    memoComment->set_focus();
}

void TEditCallLogCommentForm::btnSureClick() {
    FComment = station::TrimmedNote(plat::gbk_to_wide(memoComment->text()));
}

ModalCallDialogs::ModalCallDialogs(ui::Component* owner, ui::ImageList* call_type_images)
    : properties_form(new TRecLogPropertyForm(owner, call_type_images)), note_form(new TEditCallLogCommentForm(owner)) {}

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
