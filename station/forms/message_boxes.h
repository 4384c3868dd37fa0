// The station's own question and message boxes: yes/no, a message with one button, and
// yes/no/yes-to-all/no-to-all. Each exists once, is filled by the caller, sized to its text
// on one line when shown, and shown modally again and again.
#pragma once
#include <string>
#include <vector>

#include "platform/ui/win/forms.h"
#include "platform/ui/win/std_controls.h"
#include "station/core/station_texts.h"
#include "station/forms/box_layout.h"

namespace forms {

class StationBox : public ui::Form {
public:
    std::string FMessage;
    ui::Image* Image1 = nullptr;
    ui::Label* EcLabelMsg = nullptr;
    std::vector<ui::Button*> Buttons;

    // The layout last applied by the show handler.
    const BoxLayout& Layout() const { return layout_; }
    // The system icon shown at the left.
    LPCWSTR Icon() const { return icon_; }

protected:
    StationBox(ui::Component* owner, const std::string& name, const std::string& caption, LPCWSTR icon);
    ui::Button* AddButton(const std::string& name, const std::string& caption, ui::TModalResult result);
    // Sets the label's text (it sizes itself) and returns its width.
    int SetLabelText(const std::string& text);
    void Apply(const BoxLayout& layout);
    void SetIcon(LPCWSTR icon);

private:
    BoxLayout layout_;
    LPCWSTR icon_ = nullptr;
};

class TConfForm : public StationBox {
    UI_CLASS_IDENTITY()
public:
    TConfForm(ui::Component* owner, const station::StationTexts& texts);
    bool FConfirmed = false;
    ui::Button* btnSure;
    ui::Button* btnCancel;

private:
    void FormShow(ui::Component*);
    const station::StationTexts& texts_;
};

class TMsgForm : public StationBox {
    UI_CLASS_IDENTITY()
public:
    TMsgForm(ui::Component* owner, const station::StationTexts& texts);
    ui::Button* btnSure;

private:
    void FormShow(ui::Component*);
    const station::StationTexts& texts_;
};

class TMultiConfForm : public StationBox {
    UI_CLASS_IDENTITY()
public:
    explicit TMultiConfForm(ui::Component* owner);
    ui::Button *btnYes, *btnNO, *btnYesAll, *btnNoAll;

private:
    void FormShow(ui::Component*);
};

// The modal results of the multi-confirmation box.
constexpr ui::TModalResult kYesToAll = ui::mrAll, kNoToAll = ui::mrAll + 1;

} // namespace forms
