// The station's question and message boxes as the settings dialogs use them; tests answer in
// their place.
#pragma once
#include <string>

#include "station/core/station_texts.h"

namespace forms {

class TConfForm;
class TMsgForm;

class IPrompts {
public:
    virtual ~IPrompts() = default;
    // The confirmation box; true for "yes".
    virtual bool Confirm(const std::string& text) = 0;
    // The message box with one button.
    virtual void Inform(const std::string& caption, const std::string& text) = 0;
};

// Over the station's own boxes, created once and shown again and again.
class StationPrompts : public IPrompts {
public:
    explicit StationPrompts(const station::StationTexts& texts);
    ~StationPrompts() override;
    StationPrompts(const StationPrompts&) = delete;
    StationPrompts& operator=(const StationPrompts&) = delete;
    bool Confirm(const std::string& text) override;
    void Inform(const std::string& caption, const std::string& text) override;

private:
    TConfForm* confirm_;
    TMsgForm* message_;
};

} // namespace forms
