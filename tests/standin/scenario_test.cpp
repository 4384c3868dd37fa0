// Scenario files of the standalone program, and the program itself.
#include <gtest/gtest.h>

#include <cstdio>
#include <csignal>
#include <ctime>

#include "tests/standin/workstation_peer.h"
#include "tests/support/standin/scenario.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace standin_test {
namespace {

TEST(StandinScenario, SectionsMakeDevicesWithTheirSettings) {
    std::string error;
    const auto devices = standin::parse_scenario(
        "# two kinds of device\n"
        "[device]\n"
        "label = front ; the first\n"
        "role=announce\n"
        "announce=127.0.0.1:8801\n"
        "serial=SN\n"
        "allow=10.77.0.1\n"
        "count=3\n"
        "port=7100\n"
        "sized=0,1025\n"
        "loss=0.25\n"
        "loss_seed=9\n"
        "[device]\n"
        "role=listen\n"
        "port=7200\n"
        "wav_adpcm=2\n"
        "call_log=5\n"
        "messages_per_datagram=8\n"
        "window_wait_ms=0\n",
        error);
    ASSERT_EQ(error, "");
    ASSERT_EQ(devices.size(), 4u);
    const auto& c = devices[2].config;
    EXPECT_EQ(c.label, "front0003");
    EXPECT_EQ(c.serial, "SN0003");
    EXPECT_EQ(c.port, 7102);
    EXPECT_EQ(c.role, standin::Role::Announce);
    EXPECT_EQ(c.announce_to.port, 8801);
    EXPECT_EQ(c.announce_to.ip_text(), "127.0.0.1");
    EXPECT_EQ(c.allowed_destinations, std::vector<std::string>{"10.77.0.1"});
    ASSERT_EQ(c.recordings.size(), 2u);
    EXPECT_EQ(c.recordings[1].content.size(), 1025u);
    ASSERT_EQ(devices[2].faults.size(), 1u);
    EXPECT_EQ(devices[2].faults[0].fraction, 0.25);
    EXPECT_EQ(devices[2].faults[0].seed, 9u);
    const auto& d = devices[3].config;
    EXPECT_EQ(d.port, 7200);
    EXPECT_EQ(d.recordings.size(), 2u);
    EXPECT_EQ(d.recordings[0].content[20], 17);
    EXPECT_EQ(d.call_log.size(), 5u);
    EXPECT_EQ(d.messages_per_datagram, 8);
    EXPECT_EQ(d.window_wait_ms, 0u);
}

// Calls of today and yesterday before the given moment, named from channel and time; the
// early-morning case keeps today's calls after midnight.
TEST(StandinScenario, RecentCallsAreOfTodayAndYesterdayNamedFromChannelAndTime) {
    struct Case {
        int hour, minute, second;
        std::vector<std::string> names;
    } cases[] = {
        {14, 30, 0, {"CH01_20240521_142700.wav", "CH02_20240520_142700.wav", "CH03_20240521_142400.wav"}},
        {0, 0, 30, {"CH01_20240521_000020.wav", "CH02_20240520_000020.wav", "CH03_20240521_000010.wav"}},
    };
    for (const Case& c : cases) {
        std::tm at{};
        at.tm_year = 2024 - 1900;
        at.tm_mon = 4;
        at.tm_mday = 21;
        at.tm_hour = c.hour;
        at.tm_min = c.minute;
        at.tm_sec = c.second;
        at.tm_isdst = -1;
        const auto recordings = standin::recent_recordings(3, 8, std::mktime(&at));
        ASSERT_EQ(recordings.size(), c.names.size());
        for (std::size_t i = 0; i < recordings.size(); ++i) {
            EXPECT_EQ(recordings[i].name, c.names[i]);
            EXPECT_EQ(recordings[i].date, c.names[i].substr(5, 8));
        }
    }
}

TEST(StandinScenario, BadLinesAreNamed) {
    struct Case { const char* text; const char* error_start; };
    const Case cases[] = {
        {"port=1\n", "line 1: expected [device]"},
        {"[device]\nnonsense\n", "line 2: expected"},
        {"[device]\ncolour=red\n", "line 2: unknown key: colour"},
        {"[device]\nport=70000\n", "line 2: bad value for port"},
        {"[device]\nrole=shout\n", "line 2: role must be"},
        {"[device]\nannounce=localhost\n", "line 2: announce must be"},
        {"[device]\nmessages_per_datagram=9\n", "line 2: bad value"},
        {"[device]\ncount=101\n", "line 2: count must be"},
        {"[device]\nloss=2\n", "line 2: loss must be"},
        {"[device]\nsized=1,x\n", "line 2: bad size"},
        {"[device]\nallow=gateway\n", "line 2: allow must be"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        EXPECT_TRUE(standin::parse_scenario(c.text, error).empty());
        EXPECT_EQ(error.rfind(c.error_start, 0), 0u) << error;
    }
}

#if defined(STANDIN_PROGRAM) && !defined(_WIN32)
// The program hosts the devices of its arguments, says where they listen and logs commands.
TEST(StandinProgram, HostsDevicesAndLogsTheirCommands) {
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        execl(STANDIN_PROGRAM, STANDIN_PROGRAM, "--device", "label=one,port=0",
              "--device", "label=two,port=0,user=u2,password=p2", "--seconds", "20",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    FILE* lines = fdopen(out[0], "r");
    ASSERT_TRUE(lines);
    char line[512];
    std::vector<std::uint16_t> ports;
    while (ports.size() < 2 && std::fgets(line, sizeof line, lines)) {
        char label[64];
        char address[64];
        if (std::sscanf(line, "ready %63s %63s", label, address) == 2)
            ports.push_back(std::uint16_t(std::atoi(std::strrchr(address, ':') + 1)));
    }
    ASSERT_EQ(ports.size(), 2u);
    Workstation ws;
    plat::SocketAddress two;
    plat::parse_ipv4("127.0.0.1", two.ip);
    two.port = ports[1];
    ws.send(login("u2", "p2", 20), two);
    auto r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->value8, 1);
    ASSERT_TRUE(std::fgets(line, sizeof line, lines));
    EXPECT_NE(std::string(line).find("two recv code=101 a=7 proto=1 b=0 p1=20"), std::string::npos) << line;
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::fclose(lines);
}
#endif

}  // namespace
}  // namespace standin_test
