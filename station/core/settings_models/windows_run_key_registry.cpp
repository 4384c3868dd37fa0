#include <windows.h>

#include "platform/text_gbk.h"
#include "station/core/settings_models/autorun.h"

namespace station {

namespace {

HKEY root_key(RunKeyRoot root) { return root == RunKeyRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

class KeyHandle {
public:
    KeyHandle() = default;
    ~KeyHandle() {
        if (key_) RegCloseKey(key_);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace

void WindowsRunKeyRegistry::DeleteValue(RunKeyRoot root, const std::string& name) {
    KeyHandle key;
    const std::wstring path = plat::gbk_to_wide(kRunKeyPath);
    if (RegOpenKeyExW(root_key(root), path.c_str(), 0, KEY_SET_VALUE | KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS)
        return;
    const std::wstring value = plat::gbk_to_wide(name);
    if (RegQueryValueExW(key.get(), value.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
        RegDeleteValueW(key.get(), value.c_str());
}

void WindowsRunKeyRegistry::WriteValue(RunKeyRoot root, const std::string& name, const std::string& data) {
    KeyHandle key;
    const std::wstring path = plat::gbk_to_wide(kRunKeyPath);
    if (RegCreateKeyExW(root_key(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        key.out(), nullptr) != ERROR_SUCCESS)
        return;
    const std::wstring value = plat::gbk_to_wide(name);
    const std::wstring text = plat::gbk_to_wide(data);
    RegSetValueExW(key.get(), value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

} // namespace station
