#include "station/forms/settings/prompts.h"

#include "station/forms/message_boxes.h"

namespace forms {

StationPrompts::StationPrompts(const station::StationTexts& texts)
    : confirm_(new TConfForm(nullptr, texts)), message_(new TMsgForm(nullptr, texts)) {}

StationPrompts::~StationPrompts() {
    delete message_;
    delete confirm_;
}

bool StationPrompts::Confirm(const std::string& text) {
    confirm_->FMessage = text;
    return confirm_->show_modal() == ui::mrYes;
}

void StationPrompts::Inform(const std::string& caption, const std::string& text) {
    message_->set_caption(caption);
    message_->FMessage = text;
    message_->show_modal();
}

} // namespace forms
