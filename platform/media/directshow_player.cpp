#include "platform/media/directshow_player.h"

#include <windows.h>
#include <dshow.h>

#include "platform/files.h"
#include "platform/media/com_ptr.h"

namespace plat::media {
namespace {

constexpr UINT kGraphEvent = WM_APP + 0x310;
constexpr UINT kStateChanged = WM_APP + 0x311;
constexpr wchar_t kWindowClass[] = L"VqMediaPlayerEvents";
// Events handled per notification; the graph posts again for the rest.
constexpr int kMaxEventsPerMessage = 64;
constexpr double kUnitsPerSecond = 10000000.0;  // REFERENCE_TIME counts 100 ns

LRESULT CALLBACK player_window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

bool register_window_class() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = player_window_proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kWindowClass;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

} // namespace

struct DirectShowPlayer::Impl {
    HWND window = nullptr;
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
    ComPtr<IMediaSeeking> seeking;
    ComPtr<IMediaEventEx> events;
    std::string url;
    double rate = 1.0;
    PlayState state = PlayState::Undefined;
    std::function<void(PlayState)> listener;

    void ReleaseGraph() {
        if (control) control->Stop();
        if (events) events->SetNotifyWindow(0, 0, 0);
        events.reset();
        seeking.reset();
        control.reset();
        graph.reset();
    }

    void ChangeState(PlayState s) {
        state = s;
        // Delivered through the message loop, as the control's own event is: the caller's
        // handler never runs inside the call that changed the state.
        if (window) PostMessageW(window, kStateChanged, static_cast<WPARAM>(s), 0);
    }

    bool Rewind() {
        if (!seeking) return false;
        LONGLONG start = 0;
        return SUCCEEDED(seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr,
                                               AM_SEEKING_NoPositioning));
    }

    bool DoStop() {
        if (!control) return false;
        const bool ok = SUCCEEDED(control->Stop());
        Rewind();
        ChangeState(PlayState::Stopped);
        return ok;
    }

    void OnGraphEvent() {
        if (!events) return;
        bool complete = false;
        long code = 0;
        LONG_PTR p1 = 0, p2 = 0;
        for (int i = 0; i < kMaxEventsPerMessage && events->GetEvent(&code, &p1, &p2, 0) == S_OK; ++i) {
            events->FreeEventParams(code, p1, p2);
            if (code == EC_COMPLETE) complete = true;
        }
        if (complete && state != PlayState::Stopped) DoStop();
    }
};

namespace {

LRESULT CALLBACK player_window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* impl = reinterpret_cast<DirectShowPlayer::Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (impl && msg == kGraphEvent) {
        impl->OnGraphEvent();
        return 0;
    }
    if (impl && msg == kStateChanged) {
        if (impl->listener) {
            try {
                impl->listener(static_cast<PlayState>(wp));
            } catch (...) {
                // Nothing may unwind through the system's dispatcher.
            }
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

DirectShowPlayer::DirectShowPlayer() : impl_(std::make_unique<Impl>()) {
    if (!register_window_class()) return;
    impl_->window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    if (impl_->window) SetWindowLongPtrW(impl_->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(impl_.get()));
}

DirectShowPlayer::~DirectShowPlayer() {
    impl_->ReleaseGraph();
    if (impl_->window) DestroyWindow(impl_->window);
}

bool DirectShowPlayer::Open(const std::string& path) {
    Close();
    Impl& p = *impl_;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(p.graph.put()))))
        return false;
    const std::wstring wide = plat::native_path(path);
    const bool built = SUCCEEDED(p.graph->RenderFile(wide.c_str(), nullptr)) && SUCCEEDED(p.graph.As(IID_IMediaControl, p.control)) &&
                       SUCCEEDED(p.graph.As(IID_IMediaSeeking, p.seeking)) && SUCCEEDED(p.graph.As(IID_IMediaEventEx, p.events));
    if (!built) {
        p.ReleaseGraph();
        return false;
    }
    if (p.window) p.events->SetNotifyWindow(reinterpret_cast<OAHWND>(p.window), kGraphEvent, 0);
    p.seeking->SetRate(p.rate);
    p.url = path;
    p.state = PlayState::Stopped;
    return true;
}

const std::string& DirectShowPlayer::Url() const { return impl_->url; }

bool DirectShowPlayer::Play() {
    Impl& p = *impl_;
    if (!p.control) return false;
    if (p.state == PlayState::Stopped) p.seeking->SetRate(p.rate);
    if (FAILED(p.control->Run())) return false;
    p.ChangeState(PlayState::Playing);
    return true;
}

bool DirectShowPlayer::Pause() {
    Impl& p = *impl_;
    if (!p.control || FAILED(p.control->Pause())) return false;
    p.ChangeState(PlayState::Paused);
    return true;
}

bool DirectShowPlayer::Stop() { return impl_->DoStop(); }

void DirectShowPlayer::Close() {
    impl_->ReleaseGraph();
    impl_->url.clear();
    impl_->state = PlayState::Undefined;
}

double DirectShowPlayer::Position() {
    LONGLONG now = 0;
    if (!impl_->seeking || FAILED(impl_->seeking->GetCurrentPosition(&now))) return 0.0;
    return static_cast<double>(now) / kUnitsPerSecond;
}

bool DirectShowPlayer::SetPosition(double seconds) {
    if (!impl_->seeking) return false;
    LONGLONG at = static_cast<LONGLONG>((seconds > 0 ? seconds : 0.0) * kUnitsPerSecond);
    return SUCCEEDED(impl_->seeking->SetPositions(&at, AM_SEEKING_AbsolutePositioning, nullptr,
                                                  AM_SEEKING_NoPositioning));
}

double DirectShowPlayer::Duration() {
    LONGLONG length = 0;
    if (!impl_->seeking || FAILED(impl_->seeking->GetDuration(&length))) return 0.0;
    return static_cast<double>(length) / kUnitsPerSecond;
}

bool DirectShowPlayer::SetRate(double rate) {
    if (!(rate > 0)) return false;
    impl_->rate = rate;
    return !impl_->seeking || SUCCEEDED(impl_->seeking->SetRate(rate));
}

double DirectShowPlayer::Rate() const { return impl_->rate; }

PlayState DirectShowPlayer::State() const { return impl_->state; }

void DirectShowPlayer::SetStateListener(std::function<void(PlayState)> listener) {
    impl_->listener = std::move(listener);
}

} // namespace plat::media
