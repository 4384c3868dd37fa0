// The mail client's result codes as this program's errors.
#pragma once
#include <stdexcept>
#include <string>

namespace ec {

class EMapiError : public std::runtime_error {
public:
    EMapiError(const std::string& message, int code) : std::runtime_error(message), error_code(code) {}
    int error_code;
};

class EMapiUserAbort : public EMapiError {
public:
    using EMapiError::EMapiError;
};

// The text of a result code; "Unknown Error" for codes the table lacks.
const char* mapi_error_text(int code);
// Throws the error a result code above 0 stands for; 0 and below are success.
void raise_mapi_error(int code);

} // namespace ec
