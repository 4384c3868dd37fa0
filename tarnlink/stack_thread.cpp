#include "tarnlink/stack_thread.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#include <process.h>
#else
#include <climits>
#include <pthread.h>
#endif

namespace tarnlink {

namespace {

#ifdef _WIN32
unsigned __stdcall run_body(void* argument) {
#else
void* run_body(void* argument) {
#endif
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(argument));
    (*body)();
    return 0;
}

} // namespace

StackThread::~StackThread() {
    detach();
}

#ifdef _WIN32

bool StackThread::start(std::size_t stack_bytes, std::function<void()> body) {
    auto* owned = new std::function<void()>(std::move(body));
    // The size is a reservation: only the pages the thread touches are committed.
    const std::uintptr_t h = _beginthreadex(nullptr, static_cast<unsigned>(stack_bytes), run_body,
                                            owned, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (h == 0) {
        delete owned;
        return false;
    }
    handle_ = reinterpret_cast<void*>(h);
    return true;
}

void StackThread::join() {
    if (handle_ == nullptr) return;
    WaitForSingleObject(static_cast<HANDLE>(handle_), INFINITE);
    CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

void StackThread::detach() {
    if (handle_ == nullptr) return;
    CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

#else

bool StackThread::start(std::size_t stack_bytes, std::function<void()> body) {
    auto* owned = new std::function<void()>(std::move(body));
    auto thread = std::make_unique<pthread_t>();
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes,
                              std::max(stack_bytes, static_cast<std::size_t>(PTHREAD_STACK_MIN)));
    const int failed = pthread_create(thread.get(), &attributes, run_body, owned);
    pthread_attr_destroy(&attributes);
    if (failed != 0) {
        delete owned;
        return false;
    }
    handle_ = thread.release();
    return true;
}

void StackThread::join() {
    if (handle_ == nullptr) return;
    std::unique_ptr<pthread_t> thread(static_cast<pthread_t*>(handle_));
    handle_ = nullptr;
    pthread_join(*thread, nullptr);
}

void StackThread::detach() {
    if (handle_ == nullptr) return;
    std::unique_ptr<pthread_t> thread(static_cast<pthread_t*>(handle_));
    handle_ = nullptr;
    pthread_detach(*thread);
}

#endif

} // namespace tarnlink
