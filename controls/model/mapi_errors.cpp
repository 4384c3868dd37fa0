#include "controls/model/mapi_errors.h"

#include <cstdio>

namespace ec {

namespace {

constexpr const char* kTexts[] = {
    nullptr,
    "User Abort",
    "General Failure",
    "Login Failure",
    "Disk Full",
    "Insufficient Memory",
    "Access Denied",
    nullptr,  // 7 has no text of its own
    "Too Many Sessions",
    "Too Many Files",
    "Too Many Recipients",
    "Attachment Not Found",
    "Attachment Open Failure",
    "Attachment Write Failure",
    "Unknown Recipient",
    "Bad Recipient Type",
    "No Messages",
    "Invalid Message",
    "Text Too Large",
    "Invalid Session",
    "Type Not Supported",
    "Ambiguous Recipient",
    "Message In Use",
    "Network Failure",
    "Invalid Edit Fields",
    "Invalid Recipients",
    "Feature Not Supported",
};

constexpr int kUserAbort = 1;

} // namespace

const char* mapi_error_text(int code) {
    constexpr int count = static_cast<int>(sizeof kTexts / sizeof kTexts[0]);
    if (code < 0 || code >= count || !kTexts[code]) return "Unknown Error";
    return kTexts[code];
}

void raise_mapi_error(int code) {
    if (code <= 0) return;
    if (code == kUserAbort) throw EMapiUserAbort(mapi_error_text(code), code);
    char message[96];
    std::snprintf(message, sizeof message, "MAPI: %s. ErrorCode = %d", mapi_error_text(code), code);
    throw EMapiError(message, code);
}

} // namespace ec
