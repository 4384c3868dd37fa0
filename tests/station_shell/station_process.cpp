#include "tests/station_shell/station_process.h"

#include "platform/ui/win/screenshot.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/text_gbk.h"

namespace shell_test {

StationProcess::~StationProcess() {
    if (info_.hProcess == nullptr) return;
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool StationProcess::Start(const std::string& folder, const std::string& arguments) {
    std::wstring exe = plat::gbk_to_wide(folder + "\\Velquist.exe");
    std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + plat::gbk_to_wide(arguments));
    std::wstring dir = plat::gbk_to_wide(folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    // Wine on a loaded machine has refused the start of a program copied a moment before, once
    // in many runs: a few more tries, each after the last one failed, before the test fails.
    constexpr int kTries = 5;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (attempt > 0) Sleep(200);
        if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup, &info_)) {
            start_error_ = 0;
            return true;
        }
        start_error_ = GetLastError();
    }
    return false;
}

bool StationProcess::Running() const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool StationProcess::WaitExit(DWORD ms) const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
}

namespace {
struct WindowSearch {
    DWORD process_id;
    const wchar_t* class_name;
    HWND found;
};

BOOL CALLBACK find_top_level(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (pid != s->process_id || wcscmp(name, s->class_name) != 0) return TRUE;
    s->found = window;
    return FALSE;
}

struct ChildSearch {
    const wchar_t* class_name;
    std::string text;
    HWND found;
};

BOOL CALLBACK find_child(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<ChildSearch*>(param);
    if (s->class_name != nullptr) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (wcscmp(name, s->class_name) != 0) return TRUE;
    } else if (WindowText(window) != s->text) {
        return TRUE;
    }
    s->found = window;
    return FALSE;
}
} // namespace

HWND StationProcess::WaitWindow(const wchar_t* class_name, DWORD ms) const {
    WindowSearch search{info_.dwProcessId, class_name, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(&find_top_level, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        ms);
    return search.found;
}

HWND FindChildByClass(HWND parent, const wchar_t* class_name) {
    ChildSearch search{class_name, {}, nullptr};
    EnumChildWindows(parent, &find_child, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChildByText(HWND parent, const std::string& text) {
    ChildSearch search{nullptr, text, nullptr};
    EnumChildWindows(parent, &find_child, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return plat::wide_to_gbk(text);
}

int ListViewRowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

namespace {
// Memory in another process for the messages whose answers a common control writes there.
class RemoteBuffer {
public:
    RemoteBuffer(DWORD process_id, SIZE_T size) : size_(size) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id);
        if (process_ != nullptr) memory_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteBuffer() {
        if (memory_ != nullptr) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool ok() const { return memory_ != nullptr; }
    char* at(SIZE_T offset) const { return memory_ + offset; }
    void write(SIZE_T offset, const void* data, SIZE_T size) { WriteProcessMemory(process_, memory_ + offset, data, size, nullptr); }
    void read(SIZE_T offset, void* data, SIZE_T size) const { ReadProcessMemory(process_, memory_ + offset, data, size, nullptr); }

private:
    HANDLE process_ = nullptr;
    char* memory_ = nullptr;
    SIZE_T size_;
};

constexpr int kTextChars = 260;

std::string wide_text(const wchar_t* buffer, LRESULT length) {
    return plat::wide_to_gbk(std::wstring_view(buffer, static_cast<std::size_t>(std::clamp<LRESULT>(length, 0, kTextChars - 1))));
}

BOOL CALLBACK collect_tool_bars(HWND window, LPARAM param) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (wcscmp(name, L"TEcToolbar") == 0 && IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

constexpr int kBarMargin = 4, kBarTopMargin = 2, kButtonSize = 60, kSpacerWidth = 8;
} // namespace

std::vector<std::string> ListViewRow(DWORD process_id, HWND list, int row) {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = header != nullptr ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    RemoteBuffer remote(process_id, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    if (!remote.ok()) return {};
    std::vector<std::string> cells;
    for (int column = 0; column < columns; ++column) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = reinterpret_cast<LPWSTR>(remote.at(sizeof(LVITEMW)));
        item.cchTextMax = kTextChars;
        remote.write(0, &item, sizeof(item));
        const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.at(0)));
        wchar_t buffer[kTextChars] = {};
        remote.read(sizeof(LVITEMW), buffer, sizeof(buffer));
        cells.push_back(wide_text(buffer, length));
    }
    return cells;
}

ToolBarButton TopToolBarButton(HWND main, int index) {
    std::vector<HWND> bars;
    EnumChildWindows(main, &collect_tool_bars, reinterpret_cast<LPARAM>(&bars));
    // The top bar is the one highest on the screen (the left menu's starts below it).
    HWND top = nullptr;
    LONG top_y = 0;
    for (HWND bar : bars) {
        RECT r{};
        GetWindowRect(bar, &r);
        if (top == nullptr || r.top < top_y) {
            top = bar;
            top_y = r.top;
        }
    }
    if (top == nullptr) return {};
    const int left = kBarMargin + index * (kButtonSize + kSpacerWidth);
    return {top, RECT{left, kBarTopMargin, left + kButtonSize, kBarTopMargin + kButtonSize}};
}

void ClickToolBarButton(const ToolBarButton& button) {
    const LPARAM at = MAKELPARAM((button.place.left + button.place.right) / 2, (button.place.top + button.place.bottom) / 2);
    PostMessageW(button.bar, WM_MOUSEMOVE, 0, at);
    PostMessageW(button.bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(button.bar, WM_LBUTTONUP, 0, at);
}

GlyphHue ButtonGlyphHue(const ToolBarButton& button) {
    // Only the top-level window can be captured from another process.
    const HWND root = GetAncestor(button.bar, GA_ROOT);
    ui::Bitmap shot;
    ui::capture_window(root, shot);
    RECT window{};
    GetWindowRect(root, &window);
    POINT origin{0, 0};
    ClientToScreen(button.bar, &origin);
    const int dx = origin.x - window.left, dy = origin.y - window.top;
    int red = 0, green = 0;
    for (int y = button.place.top; y < button.place.bottom; ++y) {
        for (int x = button.place.left; x < button.place.right; ++x) {
            const std::uint32_t c = shot.pixel(x + dx, y + dy);
            const int r = static_cast<int>(c & 0xFF), g = static_cast<int>((c >> 8) & 0xFF), b = static_cast<int>((c >> 16) & 0xFF);
            if (r > 150 && r > g + 80 && r > b + 80) ++red;
            if (g > 100 && g > r + 60 && g > b + 60) ++green;
        }
    }
    if (red > 40 && red > green) return GlyphHue::Red;
    if (green > 40 && green > red) return GlyphHue::Green;
    return GlyphHue::Neither;
}

void ClickPaintedButton(HWND button) {
    RECT r{};
    GetClientRect(button, &r);
    const LPARAM centre = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(button, WM_LBUTTONUP, 0, centre);
}

} // namespace shell_test
