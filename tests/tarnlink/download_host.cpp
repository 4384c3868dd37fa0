// A host program for the kill-and-restart test: logs in to one device, downloads the next file
// it offers into a given path, and exits with 0 when the download ended with result 1.
//   tarnlink_download_host --device IP:PORT --path LOCAL_PATH
// Its host address is replaced by 127.0.0.2 so it talks over loopback only.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/host_address.h"
#include "tarnlink/library.h"

int main(int argc, char** argv) {
    std::string device, path;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--device") device = argv[i + 1];
        if (key == "--path") path = argv[i + 1];
    }
    const std::size_t colon = device.rfind(':');
    if (colon == std::string::npos || path.empty()) return 2;
    plat::FixedHostAddresses loopback({"127.0.0.2"});
    plat::set_host_address_provider(&loopback);

    const std::string folder = plat::extract_file_dir(path);
    const std::string ini = folder + "host.ini";
    plat::write_whole_file(ini, "[General]\r\nPackNumPerCircle=10\r\n[Network]\r\nCount=1\r\nIP1=" +
                                    device.substr(0, colon) + "\r\nPort1=" +
                                    device.substr(colon + 1) + "\r\n");
    tarnlink::LibraryOptions options;
    options.library_folder = folder;
    tarnlink::Library lib(options);
    lib.set_cfgfile(ini.c_str());
    if (lib.init(nullptr, 1) != 0) return 3;

    // Bounded waits: the whole run ends within a minute.
    auto wait_event = [&](int code, ftp_event& e, int timeout_ms) {
        for (int waited = 0; waited < timeout_ms; waited += 10) {
            while (lib.get_event_async(&e) == 0)
                if (e.code == code) return true;
            plat::sleep_ms(10);
        }
        return false;
    };
    ftp_event e{};
    if (!wait_event(EVT_FTP_LOGIN_SUCC, e, 5000)) return 4;
    lib.query_newfile(0, 0);
    if (!wait_event(EVT_FTP_NEWFILE_INFO, e, 5000) || e.p1 < 0) return 5;
    const int size = e.p1;
    char name[100] = {};
    std::int32_t index = 0;
    lib.get_bd_param(0, 0, BD_PARAM_NEWFILE_NAME, name);
    lib.get_bd_param(0, 0, BD_PARAM_DB_INDEX, &index);
    if (lib.start_uploadfile(0, name, size, nullptr, path.c_str(), 1, index, 1) != 0) return 6;
    std::printf("started\n");
    std::fflush(stdout);
    if (!wait_event(EVT_FTP_TRANSFER_END, e, 50000)) return 7;
    lib.release();
    return e.p1 == UPL_RESULT_OK ? 0 : 8;
}
