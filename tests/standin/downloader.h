// A workstation-side download against the stand-in, reduced to the window protocol: request,
// take packets of the current window, acknowledge each window end with the missing offsets,
// acknowledge the transfer end.
#pragma once
#include <algorithm>
#include <string>

#include "tests/standin/workstation_peer.h"

namespace standin_test {

struct DownloadResult {
    bool accepted = false;
    bool ended = false;
    bool success = false;
    std::vector<std::uint8_t> file;
    int data_messages = 0;         // file data messages seen (before filtering)
    int dropped = 0;               // data messages not taken
    int window_ends = 0;
    int acks_with_missing = 0;
    int transfer_ends = 0;
    std::int32_t first_index = -1; // of the first data message
    std::vector<std::int32_t> datagram_sizes;   // messages per datagram of file data
};

// `stop_after_windows` > 0 stops answering after that many complete windows.
inline DownloadResult download(Workstation& ws, const plat::SocketAddress& device,
                               const std::string& name, std::int32_t size, int window,
                               std::int32_t base = 0, std::uint8_t transfer_id = 9,
                               int timeout_ms = 10000) {
    DownloadResult out;
    out.file.assign(std::size_t(size), 0x55);
    ws.send(wire::build_request_file(1, transfer_id, true, size, base, 0, name, ""), device);
    std::vector<bool> got(std::size_t(window), false);
    const std::int32_t packets = (size + 1023) / 1024;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (std::chrono::steady_clock::now() < end && !out.ended) {
        auto r = ws.receive(500);
        if (!r) continue;
        if (r->messages() > 0 && wire::message_magic(r->message(0)) == wire::MSG_FILE_DATA)
            out.datagram_sizes.push_back(std::int32_t(r->messages()));
        for (std::size_t i = 0; i < r->messages(); ++i) {
            const std::uint8_t* m = r->message(i);
            wire::file_data_message d;
            wire::device_response rsp;
            if (wire::parse_file_data(m, wire::WireSizes::message, d)) {
                ++out.data_messages;
                if (out.first_index < 0) out.first_index = d.packet_index;
                const bool in_window = d.packet_index >= base && d.packet_index < base + window &&
                                       d.packet_index < packets;
                if (!in_window || d.transfer_id != transfer_id || d.length < 0) {
                    ++out.dropped;
                    continue;
                }
                const std::int32_t left = size - d.packet_index * 1024;
                const std::int32_t len = std::min({d.length, std::int32_t(1024), left});
                std::copy(d.data, d.data + len, out.file.begin() + d.packet_index * 1024);
                got[std::size_t(d.packet_index - base)] = true;
            } else if (wire::parse_response(m, wire::WireSizes::message, rsp)) {
                if (rsp.type == wire::DEV_RSP_REQUEST_ACK) {
                    out.accepted = rsp.byte6 == 1;
                    if (!out.accepted) return out;
                } else if (rsp.type == wire::DEV_RSP_WINDOW_END) {
                    ++out.window_ends;
                    int missing[100];
                    std::size_t n = 0;
                    const std::int32_t k = std::min(rsp.value16 - base, window - 1);
                    for (std::int32_t off = 0; off <= k && n < 48; ++off)
                        if (!got[std::size_t(off)]) missing[n++] = off;
                    ws.send(wire::build_window_ack(1, rsp.value8, base, missing, n), device);
                    if (n > 0) {
                        ++out.acks_with_missing;
                    } else if (rsp.value16 >= base) {
                        base += window;
                        std::fill(got.begin(), got.end(), false);
                    }
                } else if (rsp.type == wire::DEV_RSP_TRANSFER_END) {
                    ++out.transfer_ends;
                    out.ended = true;
                    out.success = rsp.byte6 == 1;
                    ws.send(wire::build_end_ack(1, rsp.value8), device);
                }
            }
        }
    }
    return out;
}

}  // namespace standin_test
