// The mail client's result codes as errors.
#include <gtest/gtest.h>

#include "controls/model/mapi_errors.h"

using namespace ec;

TEST(EcMapiErrors, CodeTable) {
    const std::pair<int, const char*> texts[] = {
        {2, "General Failure"},          {3, "Login Failure"},         {6, "Access Denied"},
        {7, "Unknown Error"},            {8, "Too Many Sessions"},     {13, "Attachment Write Failure"},
        {19, "Invalid Session"},         {26, "Feature Not Supported"}, {27, "Unknown Error"},
        {-1, "Unknown Error"},           {1, "User Abort"},
    };
    for (const auto& [code, text] : texts) EXPECT_STREQ(mapi_error_text(code), text) << code;
}

TEST(EcMapiErrors, RaisedErrors) {
    EXPECT_NO_THROW(raise_mapi_error(0));
    EXPECT_NO_THROW(raise_mapi_error(-3));
    try {
        raise_mapi_error(1);
        FAIL() << "no error";
    } catch (const EMapiUserAbort& e) {
        EXPECT_STREQ(e.what(), "User Abort");
        EXPECT_EQ(e.error_code, 1);
    }
    const std::pair<int, const char*> cases[] = {
        {3, "MAPI: Login Failure. ErrorCode = 3"},
        {19, "MAPI: Invalid Session. ErrorCode = 19"},
        {400, "MAPI: Unknown Error. ErrorCode = 400"},
    };
    for (const auto& [code, message] : cases) {
        try {
            raise_mapi_error(code);
            FAIL() << code;
        } catch (const EMapiUserAbort&) {
            FAIL() << "abort for " << code;
        } catch (const EMapiError& e) {
            EXPECT_STREQ(e.what(), message);
            EXPECT_EQ(e.error_code, code);
        }
    }
}
