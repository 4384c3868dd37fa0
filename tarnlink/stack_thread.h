// A joinable thread with a stack of a chosen size. The library runs one receiver per device,
// up to 100, and each needs little: with the platform's default (1 MiB and more) every
// configured device would cost its megabyte even while idle.
#pragma once

#include <cstddef>
#include <functional>

namespace tarnlink {

class StackThread {
public:
    StackThread() = default;
    ~StackThread();  // a thread still joinable is detached
    StackThread(const StackThread&) = delete;
    StackThread& operator=(const StackThread&) = delete;

    // False when the thread could not be made (nothing runs then).
    bool start(std::size_t stack_bytes, std::function<void()> body);
    bool joinable() const { return handle_ != nullptr; }
    void join();
    void detach();

private:
    void* handle_ = nullptr;  // HANDLE, or a heap-held pthread_t
};

} // namespace tarnlink
