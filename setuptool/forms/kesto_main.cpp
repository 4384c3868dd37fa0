// Kesto.exe: finds the recording devices on the local network and sets their addresses.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/text_gbk.h"
#include "platform/udp_endpoint.h"
#include "platform/ui/win/application.h"
#include "setuptool/broadcast_target.h"
#include "setuptool/forms/ip_addr_form.h"
#include "setuptool/forms/main_form.h"
#include "setuptool/forms/user_messages.h"
#include "setuptool/kesto_texts.h"
#include "setuptool/web_page.h"

namespace {

std::vector<std::string> arguments() {
    std::vector<std::string> list;
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words) return list;
    for (int i = 1; i < count; ++i) list.push_back(plat::wide_to_gbk(words[i]));
    LocalFree(words);
    return list;
}

int run() {
    plat::NetworkStartup network;
    ui::application().initialize();
    ui::register_control_classes();
    ui::application().set_title(kesto::text::kAppTitle);

    kesto::MessageBoxMessages messages;
    kesto::BroadcastChoice target = kesto::choose_broadcast_target(arguments());
    if (!target.error.empty()) {
        messages.show(target.error);
        return 2;
    }
    kesto::SessionOptions options;
    options.target = target.target;
    kesto::ShellWebPageOpener web;
    kesto::IPAddrForm dialog(messages);
    kesto::MainForm main_form(dialog, options, web, messages);
    ui::application().set_main_form(&main_form);
    ui::application().run();
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        return run();
    } catch (const std::exception& error) {
        MessageBoxW(nullptr, plat::gbk_to_wide(error.what()).c_str(), L"Kesto", MB_OK | MB_ICONERROR);
        return 1;
    }
}
