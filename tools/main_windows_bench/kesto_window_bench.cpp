#include "kesto_window_bench.h"

#include <cstdio>
#include <string>

#include "platform/udp_endpoint.h"
#include "platform/ui/win/menus.h"
#include "setuptool/forms/ip_addr_form.h"
#include "setuptool/forms/main_form.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_manager.h"
#include "tests/support/discovery_responder/discovery_responder.h"
#include "window_figures.h"

namespace {

using namespace main_windows_bench;

constexpr int kDevices = 200;
constexpr int kRepaints = 50;
constexpr std::uint32_t kLoopbackBroadcast = 0x7FFFFFFFu;  // 127.255.255.255

struct PrintedMessages : kesto::UserMessages {
    void show(const std::string& text) override { std::printf("  Kesto says: %s\n", text.c_str()); }
};

struct NoWebPage : kesto::WebPageOpener {
    bool open(const std::string&) override { return false; }
};

// The tool's main window shown in front over the stand-in devices. Unskinned, its skin
// component is switched off before the window shows.
class Kesto {
public:
    Kesto(const kesto::SessionOptions& options, bool skinned)
        : skinned_(skinned), dialog_(messages_), form_(dialog_, options, web_, messages_) {
        if (!skinned)
            if (auto* data = dynamic_cast<skin::TSkinData*>(form_.find_component("SkinData1"))) data->SetActive(false);
        form_.window_proc.add("bench", [this](ui::Message& m, const ui::MessageChain::Next& next) {
            if (m.msg == WM_PAINT) ++paints_;
            next(m);
        });
        form_.set_visible(true);
        SetForegroundWindow(form_.handle());
        SetActiveWindow(form_.handle());
    }
    ~Kesto() { form_.close(); }
    Kesto(const Kesto&) = delete;
    Kesto& operator=(const Kesto&) = delete;

    HWND window() { return form_.handle(); }
    int Rows() { return form_.device_list().item_count(); }
    // The list is emptied and the devices probed again, as by the menu's Refresh.
    void Refresh() {
        if (auto* item = dynamic_cast<ui::MenuItem*>(form_.find_component("NodeRefresh"))) item->click();
    }
    bool Painted() { return paints_ > 0 && (!skinned_ || SkinnedNow(form_.handle())) && NothingToPaint(); }

private:
    bool skinned_;
    PrintedMessages messages_;
    NoWebPage web_;
    kesto::IPAddrForm dialog_;
    kesto::MainForm form_;
    int paints_ = 0;
};

} // namespace

void BenchKestoWindow() {
    plat::NetworkStartup network;
    // The stand-in devices answer on loopback only.
    kesto_test::ResponderOptions devices;
    devices.port = 0;
    devices.devices = kDevices;
    kesto_test::DiscoveryResponder responder(devices);
    if (!responder.start()) {
        std::printf("setup tool: the stand-in devices could not start\n");
        return;
    }
    kesto::SessionOptions options;
    options.target = {kLoopbackBroadcast, responder.port()};
    options.pause_ms = 0;
    std::printf("setup tool main window with %d devices listed, %d repaints each "
                "(RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW)\n",
                kDevices, kRepaints);
    for (bool skinned : {true, false}) {
        const char* look = skinned ? "skinned" : "unskinned";
        {
            Kesto tool(options, skinned);
            tool.Refresh();
            if (!PumpUntil([&] { return tool.Rows() == kDevices && tool.Painted(); }, 30000)) {
                std::printf("  %-10s %d of %d devices listed, not painted in time\n", look, tool.Rows(), kDevices);
            } else {
                SaveScreenshot(tool.window(), std::string("kesto-") + look);
                const Spread s = Repaints(tool.window(), kRepaints);
                std::printf("  %-10s full repaint: mean %7.2f ms   max %7.2f ms\n", look, s.mean_ms, s.max_ms);
            }
        }
        skin::TSkinManage::Shutdown();
    }
    responder.stop();
}
