#include "station/forms/message_boxes.h"

#include "platform/ui/win/application.h"
#include "station/core/gbk_literal.h"

namespace forms {

namespace {
constexpr int kButtonWidth = 75, kButtonHeight = 25;
constexpr int kBoxClientHeight = 90;
constexpr int kButtonTop = 52;
} // namespace

ui::ClassInfo& TConfForm::static_class() {
    static ui::ClassInfo info("TConfForm", &ui::Form::static_class());
    return info;
}
ui::ClassInfo& TMsgForm::static_class() {
    static ui::ClassInfo info("TMsgForm", &ui::Form::static_class());
    return info;
}
ui::ClassInfo& TMultiConfForm::static_class() {
    static ui::ClassInfo info("TMultiConfForm", &ui::Form::static_class());
    return info;
}

StationBox::StationBox(ui::Component* owner, const std::string& name, const std::string& caption, LPCWSTR icon)
    : ui::Form(owner) {
    set_name(name);
    set_caption(caption);
    set_border_style(ui::TFormBorderStyle::bsDialog);
    set_border_icons({ui::TBorderIcon::biSystemMenu});
    set_position(ui::TPosition::poScreenCenter);
    set_client_height(kBoxClientHeight);
    set_width(180);
    // The system's minimum tracking width (112 under a captioned frame) would keep a short
    // message box wider than its text asks for.
    on_message(WM_GETMINMAXINFO, [](ui::Message& m) {
        reinterpret_cast<MINMAXINFO*>(m.lparam)->ptMinTrackSize.x = 0;
        m.result = 0;
    });

    Image1 = new ui::Image(this);
    Image1->set_name("Image1");
    Image1->set_bounds(14, 12, 32, 32);
    Image1->picture().set_size(32, 32);
    SetIcon(icon);
    Image1->set_parent(this);

    EcLabelMsg = new ui::Label(this);
    EcLabelMsg->set_name("EcLabelMsg");
    EcLabelMsg->font().set_name(station::Gbk(u8"宋体"));
    EcLabelMsg->set_bounds(kBoxLabelLeft, 22, 10, 13);
    EcLabelMsg->set_auto_size(true);
    EcLabelMsg->set_parent(this);
}

void StationBox::SetIcon(LPCWSTR icon) {
    if (icon == icon_) return;
    icon_ = icon;
    HDC dc = Image1->picture().dc();
    RECT all{0, 0, 32, 32};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawIconEx(dc, 0, 0, LoadIconW(nullptr, icon), 32, 32, 0, nullptr, DI_NORMAL);
    Image1->invalidate();
}

ui::Button* StationBox::AddButton(const std::string& name, const std::string& caption, ui::TModalResult result) {
    auto* b = new ui::Button(this);
    b->set_name(name);
    b->set_caption(caption);
    b->set_modal_result(result);
    b->set_bounds(0, kButtonTop, kButtonWidth, kButtonHeight);
    b->set_parent(this);
    Buttons.push_back(b);
    return b;
}

int StationBox::SetLabelText(const std::string& text) {
    EcLabelMsg->set_caption(text);
    return EcLabelMsg->width();
}

void StationBox::Apply(const BoxLayout& layout) {
    layout_ = layout;
    EcLabelMsg->set_left(layout.LabelLeft);
    EcLabelMsg->set_width(layout.LabelWidth);
    set_width(layout.WindowWidth);
    for (std::size_t i = 0; i < Buttons.size() && i < 4; ++i) Buttons[i]->set_left(layout.ButtonLefts[i]);
    // Centred again now that the width is known.
    set_left((ui::screen().width() - width()) / 2);
}

TConfForm::TConfForm(ui::Component* owner, const station::StationTexts& texts)
    : StationBox(owner, "ConfForm", station::Gbk(u8"确认"), IDI_QUESTION), texts_(texts) {
    btnSure = AddButton("btnSure", station::Gbk(u8"是(&Y)"), ui::mrYes);
    btnSure->set_default(true);
    btnCancel = AddButton("btnCancel", station::Gbk(u8"否(&N)"), ui::mrNo);
    btnCancel->set_cancel(true);
    btnSure->on_click = [this](ui::Component*) { FConfirmed = true; };
    btnCancel->on_click = [this](ui::Component*) { FConfirmed = false; };
    on_show = [this](ui::Component* sender) { FormShow(sender); };
}

void TConfForm::FormShow(ui::Component*) {
    FConfirmed = false;
    const int label_width = SetLabelText(FMessage + kConfirmPadding);
    Apply(LayoutConfirmBox(label_width, btnSure->width()));
    btnSure->set_caption(texts_.Get("MsgBox.Yes"));
    btnCancel->set_caption(texts_.Get("MsgBox.No"));
}

TMsgForm::TMsgForm(ui::Component* owner, const station::StationTexts& texts)
    : StationBox(owner, "MsgForm", std::string(), IDI_INFORMATION), texts_(texts) {
    btnSure = AddButton("btnSure", station::Gbk(u8"确定(&S)"), ui::mrOk);
    btnSure->set_default(true);
    btnSure->set_cancel(true);
    on_show = [this](ui::Component* sender) { FormShow(sender); };
}

void TMsgForm::FormShow(ui::Component*) {
    // The caption is the caller's: an error told under the information sign would look harmless.
    const bool error = caption() == texts_.Get("MsgBox.Error") || caption() == station::StationTexts::DefaultOf("MsgBox.Error");
    SetIcon(error ? IDI_ERROR : IDI_INFORMATION);
    EcLabelMsg->set_width(10);
    EcLabelMsg->set_caption(std::string());
    const int label_width = SetLabelText(FMessage + kMessagePadding);
    Apply(LayoutMessageBox(label_width, btnSure->width()));
    btnSure->set_caption(texts_.Get("MsgBox.OK"));
}

TMultiConfForm::TMultiConfForm(ui::Component* owner)
    : StationBox(owner, "MultiConfForm", "MultiConfForm", IDI_QUESTION) {
    btnYes = AddButton("btnYes", station::Gbk(u8"是"), ui::mrYes);
    btnNO = AddButton("btnNO", station::Gbk(u8"否"), ui::mrNo);
    btnYesAll = AddButton("btnYesAll", station::Gbk(u8"全是"), kYesToAll);
    btnNoAll = AddButton("btnNoAll", station::Gbk(u8"全否"), kNoToAll);
    on_show = [this](ui::Component* sender) { FormShow(sender); };
}

void TMultiConfForm::FormShow(ui::Component*) {
    const int label_width = SetLabelText(FMessage + kConfirmPadding);
    Apply(LayoutMultiConfirmBox(label_width, btnYes->width()));
}

} // namespace forms
