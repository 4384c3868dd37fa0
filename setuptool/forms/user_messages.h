// Messages to the user go through this seam, so that window tests record them instead of
// waiting on a message box.
#pragma once
#include <string>

namespace kesto {

class UserMessages {
public:
    virtual ~UserMessages() = default;
    virtual void show(const std::string& text) = 0;  // GBK
};

// A message box owned by the active window, captioned with the application title.
class MessageBoxMessages : public UserMessages {
public:
    void show(const std::string& text) override;
};

} // namespace kesto
