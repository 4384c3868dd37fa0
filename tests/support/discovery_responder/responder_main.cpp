// discovery-responder: the stand-in devices as a program, for trying the tool by hand or from
// scripts. Prints "port N" once it listens, then one line per datagram received.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/clock.h"
#include "tests/support/discovery_responder/discovery_responder.h"

namespace {

void usage() {
    std::fputs(
        "usage: discovery-responder [--port N] [--bind ADDR] [--devices N] [--copies N]\n"
        "         [--delay-ms N] [--wrong-token] [--length N] [--bad-magic] [--kind N] [--code N]\n"
        "         [--non-digit-lines] [--empty-first] [--user TEXT] [--password TEXT]\n"
        "         [--answer-any] [--seconds N] [--log FILE]\n"
        "Answers only loopback peers unless --answer-any (for peers in a private network\n"
        "namespace); runs at most --seconds (default 60, at most 3600).\n",
        stderr);
}

bool number(const char* text, long low, long high, long& out) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) return false;
    out = value;
    return true;
}

void print_new(std::FILE* out, const kesto_test::DiscoveryResponder& responder, std::size_t& printed) {
    auto log = responder.log();
    for (; printed < log.size(); ++printed) {
        const auto& d = log[printed];
        std::fprintf(out, "from %s:%u len %zu:", d.from.ip_text().c_str(), d.from.port, d.bytes.size());
        for (std::uint8_t b : d.bytes) std::fprintf(out, " %02x", b);
        std::fputc('\n', out);
    }
    std::fflush(out);
}

} // namespace

int main(int argc, char** argv) {
    kesto_test::ResponderOptions options;
    long seconds = 60;
    const char* log_path = nullptr;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        long n = 0;
        auto take = [&](long low, long high) {
            if (!value || !number(value, low, high, n)) return false;
            ++i;
            return true;
        };
        if (a == "--port" && take(0, 65535)) options.port = static_cast<std::uint16_t>(n);
        else if (a == "--bind" && value) options.bind_ip = argv[++i];
        else if (a == "--devices" && take(1, 250)) options.devices = static_cast<int>(n);
        else if (a == "--copies" && take(1, 50)) options.copies = static_cast<int>(n);
        else if (a == "--delay-ms" && take(0, 60000)) options.delay_ms = static_cast<std::uint32_t>(n);
        else if (a == "--wrong-token") options.wrong_token = true;
        else if (a == "--length" && take(0, 1000)) options.reply_length = static_cast<int>(n);
        else if (a == "--bad-magic") options.bad_magic = true;
        else if (a == "--kind" && take(0, 255)) options.kind = static_cast<int>(n);
        else if (a == "--code" && take(0, 255)) options.result_code = static_cast<int>(n);
        else if (a == "--non-digit-lines") options.non_digit_lines = true;
        else if (a == "--empty-first") options.empty_datagram_first = true;
        else if (a == "--user" && value) options.user_name = argv[++i];
        else if (a == "--password" && value) options.password = argv[++i];
        else if (a == "--answer-any") options.answer_non_loopback = true;
        else if (a == "--seconds" && take(1, 3600)) seconds = n;
        else if (a == "--log" && value) log_path = argv[++i];
        else {
            usage();
            return 2;
        }
    }
    std::FILE* out = stdout;
    if (log_path) {
        out = std::fopen(log_path, "w");
        if (!out) {
            std::perror(log_path);
            return 1;
        }
    }
    plat::NetworkStartup network;
    kesto_test::DiscoveryResponder responder(options);
    if (!responder.start()) {
        std::fprintf(stderr, "cannot bind %s:%u\n", options.bind_ip.c_str(), options.port);
        return 1;
    }
    std::printf("port %u\n", responder.port());
    std::fflush(stdout);
    std::size_t printed = 0;
    for (long tenth = 0; tenth < seconds * 10; ++tenth) {
        plat::sleep_ms(100);
        print_new(out, responder, printed);
    }
    responder.stop();
    print_new(out, responder, printed);
    if (out != stdout) std::fclose(out);
    return 0;
}
