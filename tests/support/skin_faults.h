// What the skin's fault notifier is told, captured for a test; and the damaged stored skins the
// build writes into copies of a program's main window description (damaged_skins.cmake), with
// what starting from each must tell.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/win/skin_data.h"

namespace test_support {

// Captures what the notifier is told while it lives.
class CapturedFaults {
public:
    CapturedFaults() {
        previous_ = skin::SetSkinFaultNotifier([this](const skin::SkinLoadFault& f) { faults.push_back(f); });
    }
    ~CapturedFaults() { skin::SetSkinFaultNotifier(std::move(previous_)); }
    CapturedFaults(const CapturedFaults&) = delete;
    CapturedFaults& operator=(const CapturedFaults&) = delete;

    std::vector<skin::SkinLoadFault> faults;

private:
    skin::SkinFaultNotifier previous_;
};

struct DamagedSkinCase {
    std::wstring description;  // the resource name of the damaged copy
    std::size_t reports;       // how often the notifier is told
    const char* told;          // part of what it is told
    bool unknown_version;
};

// The program's damaged copies are named `prefix` + kind among its resources.
inline std::vector<DamagedSkinCase> DamagedSkinCases(const std::wstring& prefix) {
    return {
        {prefix + L"TRUNCATED", 1, "skin stream truncated", false},
        {prefix + L"UNKNOWNVERSION", 1, "This is Older Skin File", true},
        // A length of 0 is the component's "no skin stored", which it keeps quiet about.
        {prefix + L"EMPTY", 0, "", false},
    };
}

// The window started from the case's copy has told the damage as the case says, once.
inline void ExpectToldOnce(const std::vector<skin::SkinLoadFault>& faults, const DamagedSkinCase& c) {
    ASSERT_EQ(faults.size(), c.reports);
    if (c.reports == 0) return;
    EXPECT_NE(faults[0].text.find(c.told), std::string::npos) << faults[0].text;
    EXPECT_EQ(faults[0].unknown_version, c.unknown_version);
}

} // namespace test_support
