// The station's own question and message boxes: yes/no, a message with one button, and
// yes/no/yes-to-all/no-to-all. Each comes from its description, exists once, is filled by the
// caller, sized to its text on one line when shown, and shown modally again and again.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "controls/ec_button.h"
#include "controls/ec_label.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/std_controls.h"
#include "station/core/station_texts.h"
#include "station/forms/box_layout.h"

namespace forms {

class StationBox : public ui::Form {
public:
    std::string FMessage;
    ui::Image* Image1 = nullptr;
    ec::TEcLabel* EcLabelMsg = nullptr;
    std::vector<ec::TEcBitBtn*> Buttons;

    // The layout last applied by the show handler.
    const BoxLayout& Layout() const { return layout_; }
    // The system icon shown at the left.
    LPCWSTR Icon() const { return icon_; }

protected:
    StationBox(ui::Component* owner, LPCWSTR icon);
    // Reads the box's description (its handlers registered before) and finds its parts; the
    // buttons in the order the layout places them.
    void Load(const wchar_t* resource, std::initializer_list<const char*> buttons);
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
    ec::TEcBitBtn* btnSure = nullptr;
    ec::TEcBitBtn* btnCancel = nullptr;

private:
    void FormShow(ui::Component*);
    void btnSureClick(ui::Component*);
    void btnCancelClick(ui::Component*);
    const station::StationTexts& texts_;
};

class TMsgForm : public StationBox {
    UI_CLASS_IDENTITY()
public:
    TMsgForm(ui::Component* owner, const station::StationTexts& texts);
    ec::TEcBitBtn* btnSure = nullptr;

private:
    void FormShow(ui::Component*);
    const station::StationTexts& texts_;
};

class TMultiConfForm : public StationBox {
    UI_CLASS_IDENTITY()
public:
    explicit TMultiConfForm(ui::Component* owner);
    ec::TEcBitBtn *btnYes = nullptr, *btnNO = nullptr, *btnYesAll = nullptr, *btnNoAll = nullptr;

private:
    void FormShow(ui::Component*);
};

// The modal results of the multi-confirmation box.
constexpr ui::TModalResult kYesToAll = ui::mrAll, kNoToAll = ui::mrAll + 1;

} // namespace forms
