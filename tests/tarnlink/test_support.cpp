#include "tests/tarnlink/test_support.h"

#include <atomic>
#include <random>

namespace tarnlink_test {

namespace {

void remove_tree(const std::string& path) {
    for (const plat::DirEntry& e : plat::list_directory(path)) {
        const std::string child = path + "\\" + e.name;
        if (e.is_directory)
            remove_tree(child);
        else
            plat::remove_file(child);
    }
    plat::remove_directory(path);
}

std::string without_trailing_separator(std::string p) {
    while (!p.empty() && (p.back() == '\\' || p.back() == '/')) p.pop_back();
    return p;
}

} // namespace

ScratchDir::ScratchDir(const std::string& name) {
    // Test processes run side by side: the name carries a per-process random part.
    static const unsigned process_tag = std::random_device{}();
    static std::atomic<int> counter{0};
    const std::string base = plat::current_directory() + "\\tarnlink-scratch";
    plat::create_directory(base);
    const std::string folder = base + "\\" + name + "-" + std::to_string(process_tag) + "-" +
                               std::to_string(++counter);
    remove_tree(folder);
    plat::force_directories(folder);
    path_ = folder + "\\";
}

ScratchDir::~ScratchDir() {
    remove_tree(without_trailing_separator(path_));
}

std::string ScratchDir::read(const std::string& name) const {
    std::string contents;
    plat::read_whole_file(file(name), contents);
    return contents;
}

void write_ini(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    plat::write_whole_file(path, text);
}

std::vector<std::uint8_t> datagram_of(const tarnlink::device_response& r) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&r);
    return std::vector<std::uint8_t>(p, p + sizeof r);
}

std::vector<std::uint8_t> datagram_of(const tarnlink::file_data_message& m) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&m);
    return std::vector<std::uint8_t>(p, p + sizeof m);
}

std::vector<tarnlink::pc_command> drain(tarnlink::Library& lib, int device) {
    std::vector<tarnlink::pc_command> out;
    tarnlink::pc_command c;
    while (out.size() < 200 && lib.take_command(device, c)) out.push_back(c);
    return out;
}

std::vector<ftp_event> take_events(tarnlink::Library& lib) {
    std::vector<ftp_event> out;
    ftp_event e;
    while (out.size() < 2000 && lib.get_event_async(&e) == 0) out.push_back(e);
    return out;
}

ReplacedPlatform::ReplacedPlatform(std::vector<std::string> host_addresses)
    : hosts_(std::move(host_addresses)) {
    clock.set_ticks(100000);
    plat::set_tick_source(&clock);
    plat::set_local_clock_source(&clock);
    plat::set_host_address_provider(&hosts_);
}

ReplacedPlatform::~ReplacedPlatform() {
    plat::set_tick_source(nullptr);
    plat::set_local_clock_source(nullptr);
    plat::set_host_address_provider(nullptr);
}

OfflineLibrary::OfflineLibrary(const std::string& name,
                               const std::vector<std::string>& ini_lines, int mode)
    : dir(name) {
    write_ini(dir.file("tarnlib.ini"), ini_lines);
    plat::create_directory(dir.file("LibLogs"));
    tarnlink::LibraryOptions options;
    options.library_folder = dir.path();
    options.offline = true;
    lib = std::make_unique<tarnlink::Library>(options);
    lib->set_host_resolver([](const std::string&, std::uint32_t&) { return false; });
    init_result = lib->init(nullptr, mode);
}

void OfflineLibrary::deliver(int device, const tarnlink::device_response& r) {
    const std::vector<std::uint8_t> d = datagram_of(r);
    lib->handle_device_datagram(device, d.data(), d.size());
}

void OfflineLibrary::log_in(int device, std::int32_t& seq) {
    lib->force_state(device, BD_STATE_WAIT_LOGIN_ACK);
    tarnlink::device_response r = tarnlink::make_response(tarnlink::DEV_RSP_LOGIN_ACK, seq++);
    r.value8 = 1;
    deliver(device, r);
    drain(*lib, device);
}

std::string OfflineLibrary::log_text() {
    return dir.read("LibLogs\\" + plat::extract_file_name(lib->log().file_name_for_today()));
}

} // namespace tarnlink_test
