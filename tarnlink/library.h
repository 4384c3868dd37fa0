// All state of one loaded library in one object. The exports forward to the one instance;
// tests make their own instances and drive them without threads or sockets through the
// handlers that the receiver, state and sender threads call.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/sync_event.h"
#include "platform/udp_endpoint.h"
#include "tarnlink/command_ring.h"
#include "tarnlink/connreq_queue.h"
#include "tarnlink/device_table.h"
#include "tarnlink/event_queue.h"
#include "tarnlink/library_log.h"
#include "tarnlink/settings.h"
#include "tarnlink/tarnlink.h"
#include "tarnlink/wire_format.h"

namespace tarnlink {

class Transport;

// Status values shared by the exports.
enum Status : int {
    ST_OK = 0,
    ST_BAD_ARGUMENT = -1,
    ST_NOT_INITIALISED = -10,
};

// Resolves a host name to its first IPv4 address (host byte order).
using HostResolver = std::function<bool(const std::string& host, std::uint32_t& ip)>;

struct LibraryOptions {
    std::string library_folder;  // empty: the folder of the module holding the library
    // No socket and no thread: the network start only sets the devices' first states and
    // kvftp_init does not wait for a login. Tests then drive the handlers themselves.
    bool offline = false;
};

class Library {
public:
    explicit Library(LibraryOptions options = {});
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // ---- exports (same arguments and results) ----
    int set_cfgfile(const char* path);
    int init(const char* unused, int mode);
    int release();
    int get_bd_num() const;
    int get_bd_param(int device, int channel, int code, void* buffer);
    int set_bd_param(int device, int b, int code, const void* data);
    int get_event_async(ftp_event* event);
    int put_event(const ftp_event* event);
    int query_newfile(int device, int value);
    int start_uploadfile(int device, const char* device_file_name, int size, const char* tag,
                         const char* local_path, int transfer_id, int db_index, int no_tag);
    int uploadfile_terminate(int device);
    int uploadfile_terminate_async(int device);
    int get_upload_progress(int device, int* bytes_received, int* file_size);
    int ignore_uploadfile(int device, const char* device_file_name, int db_index,
                          int transfer_id);
    int get_callinfo(int device, ftp_callinfo* info);
    int connect_device(const char* host, int port, const char* user, const char* password,
                       const char* local_ip, int local_port);
    int disconnect_device();
    int malloc_queryresbuf(int count);
    static int clear_queryparams(ftp_queryparams* params);
    int set_queryparams(const ftp_queryparams* params);
    int query_async(int query_id);
    int get_queryresult(int index, ftp_callinfo* info);
    int query_terminate();
    int delete_calllog(const char* name, int a, int b, int all);
    int set_calllog_comment(const char* name, int a, const char* comment, int b);
    int get_connreqinfo(ftp_connreqinfo* info);

    // The library is being unloaded: waits of the stop sequence are bounded. With
    // `process_ending` the threads are already gone: sockets close and nothing is waited on.
    void unload(bool process_ending);

    // ---- inside the library: the threads call these; tests call them directly ----
    // bd_send_command: 0 queued, -1 ring full, -2 bad device or command.
    int send_command(int device, const pc_command* command);
    bool take_command(int device, pc_command& out);
    // Where the sender sends a device's commands; false when it has no address yet.
    bool command_destination(int device, plat::SocketAddress& to);
    // Datagrams read by a device's receiver, the mode 0 listener, the mode 2 shared receiver.
    void handle_device_datagram(int device, const std::uint8_t* bytes, std::size_t length);
    void handle_listener_datagram(const std::uint8_t* bytes, std::size_t length,
                                  const plat::SocketAddress& from);
    void handle_shared_datagram(const std::uint8_t* bytes, std::size_t length,
                                const plat::SocketAddress& from);
    // Mode 1: whether a datagram read by a device's receiver comes from the device's address
    // (any port). Others are dropped and counted in the log.
    bool from_device_address(int device, const plat::SocketAddress& from);
    // One pass of the state thread over every device.
    void step_states();
    // post_event: 0 appended, -1 refused.
    int post_event(int code, int device, int p1 = 0, int p2 = 0, int p3 = 0);

    // ---- read-only views for tests ----
    bool initialised() const { return initialised_.load(); }
    bool direct_mode() const { return direct_mode_.load(); }
    int conn_mode() const { return conn_mode_; }
    std::uint8_t client_kind() const { return client_kind_; }
    const LibrarySettings& settings() const { return settings_; }
    const std::string& library_folder() const { return library_folder_; }
    LibraryLog& log() { return log_; }
    bd_info device_info(int device);
    Transport& transport() { return *transport_; }
    // Name resolution for hosts that are not dotted texts (tests keep it off the network).
    void set_host_resolver(HostResolver resolver);
    // Moves a device straight into a state (test support for paths that need a session).
    void force_state(int device, int state);

private:
    friend class Transport;

    // The steps both ways of starting share: event queue, tables, folder, settings. False when
    // the event queue cannot be made (the library then stays uninitialised).
    bool begin_init(std::uint8_t client_kind);
    void reset_tables();
    void determine_library_folder();
    void apply_settings();
    void stop_sequence();
    void prepare_threads();
    // The devices' states once the network has started (per connection mode).
    void enter_start_states();
    void wait_for_first_login();

    // Sessions and connection requests.
    void handle_message(int device, const std::uint8_t* message);
    void handle_response(int device, const device_response& r, std::uint32_t now);
    void note_sign_of_life(Device& d, std::uint32_t now);
    void handle_session_response(int device, Device& d, const device_response& r);
    void handle_param_response(int device, const device_response& r);
    void handle_connreq(const device_response& r, const plat::SocketAddress& from,
                        bool passive);
    void step_device(int device, std::uint32_t now);
    int find_device_by_sender(const plat::SocketAddress& from, int& state);
    void clear_address(bd_info& info);
    bool resolve_host(bd_info& info);
    void queue_login(int device, bd_info& info);

    // Downloads.
    void handle_newfile(int device, Device& d, const device_response& r);
    void handle_request_ack(Device& d, const device_response& r);
    void handle_file_data(int device, Device& d, const file_data_message& m, std::uint32_t now);
    void handle_window_end(int device, Device& d, const device_response& r);
    void handle_transfer_end(int device, Device& d, const device_response& r);
    void download_tick(int device, Device& d, std::uint32_t now);
    void finalise_download(int device, Device& d);
    void post_transfer_end(int device, Device& d, int result, int transfer_id);
    void post_pending_ends(Device& d);
    void close_download_files(Device& d);
    // Writes the gathered packets; on a failure stops the transfer as refused and returns false.
    bool write_gathered(int device, Device& d);
    void stop_on_write_failure(int device, Device& d);

    // Call-log queries.
    void handle_calllog_result(int device, const calllog_result_message& m);
    void handle_query_end(int device, Device& d, const device_response& r);
    void query_timeout_check(int device, Device& d, std::uint32_t now);
    int query_result_count();

    bool device_in_range(int device) const { return device >= 0 && device < kMaxDevices; }
    bool device_configured(int device) const {
        return static_cast<unsigned>(device) < static_cast<unsigned>(device_count_.load());
    }

    LibraryOptions options_;
    std::string library_folder_;
    std::string cfg_path_;

    std::atomic<bool> initialised_{false};
    std::atomic<bool> direct_mode_{false};
    std::atomic<bool> unloading_{false};
    std::atomic<bool> first_login_{true};
    std::uint8_t client_kind_ = 7;
    int conn_mode_ = CONNMODE_PC_ACTIVE;
    std::atomic<int> device_count_{0};
    LibrarySettings settings_;
    int heart_timeout_ms_ = 5000;

    std::unique_ptr<EventQueue> events_;
    std::unique_ptr<plat::Event> init_wait_;
    std::array<Device, kMaxDevices> devices_;
    std::array<CommandRing, kMaxDevices> rings_;
    ConnReqQueue connreqs_;
    bool connreq_full_logged_ = false;  // written only by the connection requests' one reader

    std::mutex tables_mutex_;  // channel table and device text
    std::array<ChannelEntry, kChannelCount> channels_{};
    char device_text_[WireFields::device_text]{};

    std::mutex results_mutex_;  // call-log results
    std::unique_ptr<ftp_callinfo[]> results_;
    std::size_t results_capacity_ = 0;
    std::size_t results_count_ = 0;
    ftp_queryparams query_params_{};

    LibraryLog log_;
    HostResolver resolver_{plat::resolve_ipv4};
    std::unique_ptr<Transport> transport_;
};

} // namespace tarnlink
