// The two Run keys in memory; a root can be made unwritable (a user without rights to it).
#pragma once
#include <map>
#include <string>
#include <vector>

#include "station/core/settings_models/autorun.h"

namespace settings_test {

class FakeRunKeyRegistry : public station::IRunKeyRegistry {
public:
    std::map<std::string, std::string> machine, user;
    bool machine_writable = true;
    std::vector<std::string> calls;  // "delete HKLM", "write HKCU" ...

    void DeleteValue(station::RunKeyRoot root, const std::string& name) override {
        calls.push_back(std::string("delete ") + label(root));
        if (root == station::RunKeyRoot::LocalMachine && !machine_writable) return;
        key(root).erase(name);
    }
    void WriteValue(station::RunKeyRoot root, const std::string& name, const std::string& data) override {
        calls.push_back(std::string("write ") + label(root));
        if (root == station::RunKeyRoot::LocalMachine && !machine_writable) return;
        key(root)[name] = data;
    }

private:
    static const char* label(station::RunKeyRoot root) {
        return root == station::RunKeyRoot::LocalMachine ? "HKLM" : "HKCU";
    }
    std::map<std::string, std::string>& key(station::RunKeyRoot root) {
        return root == station::RunKeyRoot::LocalMachine ? machine : user;
    }
};

} // namespace settings_test
