#include "station/forms/message_boxes.h"

#include "platform/ui/win/application.h"
#include "station/forms/station_description.h"

namespace forms {

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

StationBox::StationBox(ui::Component* owner, LPCWSTR icon) : ui::Form(owner), icon_(icon) {
    // The system's minimum tracking width (112 under a captioned frame) would keep a short
    // message box wider than its text asks for.
    on_message(WM_GETMINMAXINFO, [](ui::Message& m) {
        reinterpret_cast<MINMAXINFO*>(m.lparam)->ptMinTrackSize.x = 0;
        m.result = 0;
    });
}

void StationBox::Load(const wchar_t* resource, std::initializer_list<const char*> buttons) {
    LoadStationForm(*this, resource);
    Image1 = Part<ui::Image>(*this, "Image1");
    EcLabelMsg = Part<ec::TEcLabel>(*this, "EcLabelMsg");
    for (const char* name : buttons) Buttons.push_back(Part<ec::TEcBitBtn>(*this, name));
    // The sign is the system's own icon, drawn on the dialog's face.
    Image1->picture().set_size(32, 32);
    const LPCWSTR icon = icon_;
    icon_ = nullptr;
    SetIcon(icon);
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
    : StationBox(owner, IDI_QUESTION), texts_(texts) {
    register_method("FormShow", this, &TConfForm::FormShow);
    register_method("btnSureClick", this, &TConfForm::btnSureClick);
    register_method("btnCancelClick", this, &TConfForm::btnCancelClick);
    Load(L"VQCONFFORM", {"btnSure", "btnCancel"});
    btnSure = Buttons[0];
    btnCancel = Buttons[1];
}

void TConfForm::btnSureClick(ui::Component*) { FConfirmed = true; }

void TConfForm::btnCancelClick(ui::Component*) { FConfirmed = false; }

void TConfForm::FormShow(ui::Component*) {
    FConfirmed = false;
    const int label_width = SetLabelText(FMessage + kConfirmPadding);
    Apply(LayoutConfirmBox(label_width, btnSure->width()));
    btnSure->set_caption(texts_.Get("MsgBox.Yes"));
    btnCancel->set_caption(texts_.Get("MsgBox.No"));
}

TMsgForm::TMsgForm(ui::Component* owner, const station::StationTexts& texts)
    : StationBox(owner, IDI_INFORMATION), texts_(texts) {
    register_method("FormShow", this, &TMsgForm::FormShow);
    Load(L"VQMSGFORM", {"btnSure"});
    btnSure = Buttons[0];
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

TMultiConfForm::TMultiConfForm(ui::Component* owner) : StationBox(owner, IDI_QUESTION) {
    register_method("FormShow", this, &TMultiConfForm::FormShow);
    Load(L"VQMULTICONFFORM", {"btnYes", "btnNO", "btnYesAll", "btnNoAll"});
    btnYes = Buttons[0];
    btnNO = Buttons[1];
    btnYesAll = Buttons[2];
    btnNoAll = Buttons[3];
}

void TMultiConfForm::FormShow(ui::Component*) {
    const int label_width = SetLabelText(FMessage + kConfirmPadding);
    Apply(LayoutMultiConfirmBox(label_width, btnYes->width()));
}

} // namespace forms
