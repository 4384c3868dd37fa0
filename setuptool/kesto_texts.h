// The tool's own texts, kept as GBK bytes as the system stores them.
#pragma once

namespace kesto::text {

extern const char* const kAppTitle;
extern const char* const kDeviceCountPrefix;
extern const char* const kPortInUsePrefix;
extern const char* const kPortBindFailed;
extern const char* const kResultSuccess;
extern const char* const kResultNoUser;
extern const char* const kResultBadPassword;
extern const char* const kEnterIpAddress;
extern const char* const kEnterSubnetMask;
extern const char* const kDefaultLogin;

} // namespace kesto::text
