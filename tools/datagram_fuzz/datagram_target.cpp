#include "tools/datagram_fuzz/datagram_target.h"

#include <cstring>
#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/udp_endpoint.h"
#include "tarnlink/library.h"

namespace datagram_fuzz {
namespace {

using namespace tarnlink;

constexpr int kDevices = 3;
constexpr int kFileSize = 40 * 1024;  // four windows of ten packets
constexpr int kTransferId = 1;

enum Route : std::uint8_t { ToDevice0, ToDevice1, ToListener, ToShared, RouteCount };

// One library for the whole run. Every input finds device 0 downloading and devices 0 and 1
// logged in; what the library queued for the host is taken away after each input, so that
// full queues never hide the paths behind them.
class Target {
public:
    Target() : folder_("datagram_fuzz.tmp/") {
        plat::create_directory(folder_);
        plat::create_directory(folder_ + "LibLogs");
        plat::write_whole_file(folder_ + "tarnlib.ini",
                               "[LogInfo]\nLogLevel=error\n[General]\nPackNumPerCircle=10\n"
                               "[FTPInfo]\nConnMode=1\n[Network]\nCount=3\n"
                               "IP1=127.0.0.11\nIP2=127.0.0.12\nSerial3=SER-3\n");
        LibraryOptions options;
        options.library_folder = folder_;
        options.offline = true;
        lib_ = std::make_unique<Library>(options);
        lib_->init(nullptr, 0);
        sender_.ip = 0x7F00000Bu;  // 127.0.0.11, device 0's address
        sender_.port = 7001;
    }

    void run(const std::uint8_t* data, std::size_t size) {
        if (size == 0) return;
        keep_sessions_and_download();
        const std::uint8_t* datagram = data + 1;
        const std::size_t length = size - 1;
        switch (data[0] % RouteCount) {
        case ToDevice0: lib_->handle_device_datagram(0, datagram, length); break;
        case ToDevice1: lib_->handle_device_datagram(1, datagram, length); break;
        case ToListener: lib_->handle_listener_datagram(datagram, length, sender_); break;
        default: lib_->handle_shared_datagram(datagram, length, sender_); break;
        }
        lib_->step_states();
        take_everything();
    }

private:
    void keep_sessions_and_download() {
        for (int device = 0; device < 2; ++device)
            if (lib_->device_info(device).state != BD_STATE_LOGGED_IN)
                lib_->force_state(device, BD_STATE_LOGGED_IN);
        if (lib_->device_info(0).transfer_state != UPL_STATE_IDLE) return;
        const std::string path = folder_ + "rec.wav";
        for (const char* suffix : {"", ".ltf", ".dxc"}) plat::remove_file(path + suffix);
        lib_->start_uploadfile(0, "rec.wav", kFileSize, nullptr, path.c_str(), kTransferId, 1, 1);
    }

    void take_everything() {
        ftp_event event;
        while (lib_->get_event_async(&event) == 0) {}
        ftp_connreqinfo info;
        while (lib_->get_connreqinfo(&info) == 0) {}
        pc_command command;
        for (int device = 0; device < kDevices; ++device)
            while (lib_->take_command(device, command)) {}
    }

    std::string folder_;
    std::unique_ptr<Library> lib_;
    plat::SocketAddress sender_;
};

std::vector<std::uint8_t> input_of(Route route, const void* message, std::size_t size) {
    std::vector<std::uint8_t> input(1, route);
    const auto* bytes = static_cast<const std::uint8_t*>(message);
    input.insert(input.end(), bytes, bytes + size);
    return input;
}

} // namespace

std::vector<std::vector<std::uint8_t>> seed_inputs() {
    std::vector<std::vector<std::uint8_t>> seeds;
    std::int32_t seq = 1;
    for (std::uint8_t type = DEV_RSP_LOGIN_ACK; type <= DEV_RSP_CLOSE; ++type) {
        device_response r = make_response(type, seq++);
        r.byte6 = 1;
        r.byte7 = 1;
        r.value8 = 1;
        r.value16 = type == DEV_RSP_WINDOW_END ? 9 : kFileSize;
        r.value20 = 2;
        put_field(r.data, 50, type == DEV_RSP_CONNREQ ? "SER-3" : "ch01_20260101_0815.wav");
        put_field(r.data + 50, 8, "20260101");
        for (Route route : {ToDevice0, ToShared}) seeds.push_back(input_of(route, &r, sizeof r));
        if (type == DEV_RSP_CONNREQ) seeds.push_back(input_of(ToListener, &r, sizeof r));
    }
    const std::vector<std::uint8_t> content(1024, 0x5A);
    std::vector<std::uint8_t> window(1, ToDevice0);
    for (std::int32_t packet = 0; packet < 8; ++packet) {
        const file_data_message m =
            make_file_data(kTransferId, packet, content.data(), static_cast<std::int32_t>(content.size()));
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&m);
        window.insert(window.end(), bytes, bytes + sizeof m);
        seeds.push_back(input_of(ToDevice0, &m, sizeof m));
    }
    seeds.push_back(window);  // eight messages in one datagram
    calllog_result_message q = make_calllog_result(2, 0);
    q.record_count = 3;
    seeds.push_back(input_of(ToDevice0, &q, sizeof q));
    return seeds;
}

} // namespace datagram_fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static datagram_fuzz::Target target;
    target.run(data, size);
    return 0;
}
