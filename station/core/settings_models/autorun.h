// The autorun value: the program started at log-on, for every user (machine Run key) or for
// the current user only (user Run key).
#pragma once
#include <cstdint>
#include <string>

namespace station {

enum class RunKeyRoot { LocalMachine, CurrentUser };

// The Run keys of the two roots. Every failure (a key that cannot be opened, a missing value)
// is silent: callers leave the value as it was.
class IRunKeyRegistry {
public:
    virtual ~IRunKeyRegistry() = default;
    // Opens the root's Run key without creating it and deletes the value when it exists.
    virtual void DeleteValue(RunKeyRoot root, const std::string& name) = 0;
    // Opens the root's Run key, creating it when missing, and writes the value (GBK text).
    virtual void WriteValue(RunKeyRoot root, const std::string& name, const std::string& data) = 0;
};

struct AutorunChoice {
    bool Enabled = false;
    std::int32_t Mode = 0;  // 0 every user, 1 the current user
};

extern const char* const kAutorunValueName;
extern const char* const kRunKeyPath;

// The command line stored in the value. The path is quoted: a program folder with blanks (as
// "Program Files") would otherwise start a different program or none.
std::string AutorunCommandLine(const std::string& program_path);

// Moves the value from the old choice to the new one; modes other than 0 and 1 touch nothing.
void UpdateAutorun(IRunKeyRegistry& registry, const AutorunChoice& old_choice, const AutorunChoice& new_choice,
                   const std::string& program_path);

#ifdef _WIN32
// The real registry (W functions; names and data converted from GBK).
class WindowsRunKeyRegistry : public IRunKeyRegistry {
public:
    void DeleteValue(RunKeyRoot root, const std::string& name) override;
    void WriteValue(RunKeyRoot root, const std::string& name, const std::string& data) override;
};
#endif

} // namespace station
