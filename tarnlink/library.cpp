#include "tarnlink/library.h"

#include <algorithm>
#include <cstring>

#include "platform/clock.h"
#include "platform/files.h"
#include "tarnlink/transport.h"

namespace tarnlink {

namespace {

constexpr int kCfgPathChars = 259;
constexpr int kInitWaitMs = 1000;
constexpr std::uint32_t kLogoutGraceMs = 200;

// Length of a caller's NUL-terminated text, never looking past `limit` bytes.
std::size_t bounded_length(const char* text, std::size_t limit) {
    const void* nul = std::memchr(text, '\0', limit);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : limit;
}

// Copies a NUL-terminated text field into the caller's buffer, NUL included.
void copy_out_text(void* buffer, const char* field, std::size_t field_size) {
    const std::size_t n = bounded_length(field, field_size);
    std::memcpy(buffer, field, n);
    static_cast<char*>(buffer)[n] = '\0';
}

// Copies at most `limit` bytes of a field; a terminator only when shorter than the limit.
void copy_out_limited(void* buffer, const char* field, std::size_t limit) {
    const std::size_t n = bounded_length(field, limit);
    std::memcpy(buffer, field, n);
    if (n < limit) static_cast<char*>(buffer)[n] = '\0';
}

void store_text(char* field, std::size_t field_size, const std::string& text) {
    std::memset(field, 0, field_size);
    std::memcpy(field, text.data(), std::min(text.size(), field_size - 1));
}

bool is_clock_text(const char* t) {
    return t[4] == '-' && t[7] == '-' && t[10] == ' ' && t[13] == ':' && t[16] == ':';
}

} // namespace

Library::Library(LibraryOptions options)
    : options_(std::move(options)),
      transport_(std::make_unique<Transport>(*this)) {}

Library::~Library() {
    release();
}

// ---- frame --------------------------------------------------------------------------------

int Library::set_cfgfile(const char* path) {
    if (path == nullptr) return ST_BAD_ARGUMENT;
    cfg_path_.assign(path, bounded_length(path, kCfgPathChars));
    return ST_OK;
}

bool Library::begin_init(std::uint8_t client_kind) {
    try {
        events_ = std::make_unique<EventQueue>();
    } catch (const std::bad_alloc&) {
        return false;
    }
    initialised_ = true;
    client_kind_ = client_kind;
    reset_tables();
    determine_library_folder();
    apply_settings();
    return true;
}

int Library::init(const char* /*unused*/, int mode) {
    if ((mode & 0xFFFF) == KVFTP_DIRECT_MODE_SELECTOR) {
        direct_mode_ = true;
        if (initialised_) return ST_OK;
        if (!begin_init(8)) return -1;
        device_count_ = 1;
        // One device reached by host and port: only the active mode gives it a session.
        conn_mode_ = CONNMODE_PC_ACTIVE;
        settings_.protocol_id = 3;
        {
            std::lock_guard<std::mutex> lock(devices_[0].lock);
            devices_[0].info.protocol_id = 3;
        }
        heart_timeout_ms_ = 4000;
        settings_.heart_interval_ms = 500;
        prepare_threads();
        return ST_OK;
    }

    direct_mode_ = false;
    if (initialised_) return ST_OK;
    if (!begin_init(7)) return -1;
    prepare_threads();

    if (options_.offline) {
        enter_start_states();
    } else {
        const int started = transport_->start_network();
        if (started == -2) return -2;
        if (started == -1) transport_->start_retry();
    }

    log_.write(LOG_INFO, "------------------------------ Init network device "
                         "-------------------------------");
    if (!options_.offline) wait_for_first_login();
    return ST_OK;
}

void Library::wait_for_first_login() {
    if (init_wait_->wait(kInitWaitMs))
        log_.write(LOG_DEBUG, "sys: Query net device end.");
    else
        log_.write(LOG_WARN, "sys: Querying net device is timeout (%d ms)", kInitWaitMs);
}

int Library::release() {
    if (!initialised_) return ST_OK;
    stop_sequence();
    events_.reset();
    for (Device& d : devices_) {
        std::lock_guard<std::mutex> lock(d.lock);
        close_download_files(d);
    }
    {
        std::lock_guard<std::mutex> lock(results_mutex_);
        results_.reset();
        results_capacity_ = 0;
        results_count_ = 0;
    }
    initialised_ = false;
    return ST_OK;
}

void Library::unload(bool process_ending) {
    unloading_ = true;
    if (process_ending) {
        transport_->abandon();
        initialised_ = false;
        return;
    }
    release();
}

void Library::enter_start_states() {
    const int count = device_count_;
    for (int i = 0; i < count; ++i) {
        Device& d = devices_[static_cast<std::size_t>(i)];
        std::lock_guard<std::mutex> lock(d.lock);
        if (conn_mode_ == CONNMODE_PC_ACTIVE) {
            d.info.state = BD_STATE_CONNECT;
        } else {
            std::memset(d.info.address, 0, sizeof d.info.address);
            d.info.port = 0;
            d.info.state = BD_STATE_WAIT_CONNREQ;
        }
    }
}

void Library::prepare_threads() {
    for (CommandRing& ring : rings_) ring.clear();
    connreqs_.clear();
    transport_->prepare();
}

void Library::stop_sequence() {
    bool logging_out = false;
    for (Device& d : devices_) {
        std::lock_guard<std::mutex> lock(d.lock);
        if (d.info.state == BD_STATE_LOGGED_IN) {
            d.info.state = BD_STATE_LOGOUT;
            logging_out = true;
        }
    }
    // Time for the state thread to queue the logouts and the sender to send them.
    if (logging_out && transport_->running()) plat::sleep_ms(kLogoutGraceMs);
    transport_->stop(unloading_);
}

int Library::get_bd_num() const {
    return device_count_;
}

void Library::reset_tables() {
    device_count_ = 0;
    const std::uint32_t now = plat::tick_ms();
    for (Device& d : devices_) {
        std::lock_guard<std::mutex> lock(d.lock);
        close_download_files(d);
        d.pending_ends.clear();
        bd_info& b = d.info;
        // Settings fields (host, port, user, password) are refilled by the reading.
        std::memset(b.device_id, 0, sizeof b.device_id);
        std::memset(b.login_bytes, 0, sizeof b.login_bytes);
        std::memset(b.address, 0, sizeof b.address);
        b.state_timer = 0;
        b.last_heart_ack = 0;
        b.state = BD_STATE_IDLE;
        b.last_seq = -1;
        b.transfer_state = UPL_STATE_IDLE;
        b.request_armed = 0;
        b.transfer_timer = now;
        b.query_id = 0;
        std::memset(b.local_path, 0, sizeof b.local_path);
        std::memset(b.newfile_name, 0, sizeof b.newfile_name);
        std::memset(&b.callinfo, 0, sizeof b.callinfo);
        b.bytes_received = 0;
        b.callinfo_valid = 0;
        b.query_running = 0;
        b.enabled = 1;
    }
    {
        std::lock_guard<std::mutex> lock(tables_mutex_);
        std::memset(device_text_, 0, sizeof device_text_);
        for (int k = 0; k < kChannelCount; ++k) {
            ChannelEntry& e = channels_[static_cast<std::size_t>(k)];
            std::memset(&e, 0, sizeof e);
            e.value = k + 1;
        }
    }
    init_wait_ = std::make_unique<plat::Event>(false, false);
    library_folder_.clear();
    std::lock_guard<std::mutex> lock(results_mutex_);
    results_.reset();
    results_capacity_ = 0;
    results_count_ = 0;
}

void Library::determine_library_folder() {
    if (!options_.library_folder.empty()) {
        library_folder_ = options_.library_folder;
        return;
    }
    const std::string module = plat::module_path_of(reinterpret_cast<const void*>(&kvftp_init));
    const std::size_t cut = module.find_last_of("\\/");
    library_folder_ = cut == std::string::npos ? std::string() : module.substr(0, cut + 1);
    if (library_folder_.size() > static_cast<std::size_t>(kCfgPathChars))
        library_folder_.resize(kCfgPathChars);
}

void Library::apply_settings() {
    const std::string ini = cfg_path_.empty() ? library_folder_ + "tarnlib.ini" : cfg_path_;
    settings_ = read_settings(ini);
    heart_timeout_ms_ = settings_.heart_timeout_ms;
    // An unknown connection mode is taken as the default rather than half-starting.
    conn_mode_ = settings_.conn_mode;
    if (conn_mode_ < CONNMODE_LISTEN || conn_mode_ > CONNMODE_PC_PASSIVE)
        conn_mode_ = CONNMODE_PC_ACTIVE;

    if (settings_.log_level != LOG_OFF)
        log_.configure(library_folder_ + "LibLogs\\", settings_.log_level);
    log_.write(LOG_DEBUG, "iPackNumPerCircle=%d\r\n", settings_.packets_per_window);

    device_count_ = settings_.device_count;
    for (int i = 0; i < settings_.device_count; ++i) {
        const DeviceSettings& s = settings_.devices[static_cast<std::size_t>(i)];
        Device& d = devices_[static_cast<std::size_t>(i)];
        std::lock_guard<std::mutex> lock(d.lock);
        bd_info& b = d.info;
        store_text(b.host, sizeof b.host, s.host);
        std::memset(b.address, 0, sizeof b.address);
        if (is_dotted_host(s.host)) store_text(b.address, sizeof b.address, s.host);
        b.port = s.port;
        store_text(b.user, sizeof b.user, s.user);
        store_text(b.password, sizeof b.password, s.password);
        std::memset(b.newfile_name, 0, sizeof b.newfile_name);
        std::memset(b.newfile_date, 0, sizeof b.newfile_date);
        b.protocol_id = settings_.protocol_id;
    }
}

// ---- events -------------------------------------------------------------------------------

int Library::post_event(int code, int device, int p1, int p2, int p3) {
    EventQueue* queue = events_.get();
    if (queue == nullptr) return -1;
    const ftp_event event{code, device, p1, p2, p3};
    switch (queue->post(event)) {
    case EventQueue::PostResult::Appended: return 0;
    case EventQueue::PostResult::Full:
        log_.write(LOG_ERROR, "Problem writing to global Event Q!\n");
        return -1;
    case EventQueue::PostResult::ConnReqLimit:
    case EventQueue::PostResult::BadDevice: break;
    }
    return -1;
}

int Library::get_event_async(ftp_event* event) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (event == nullptr || !events_) return ST_BAD_ARGUMENT;
    return events_->take(*event) ? ST_OK : -1;
}

int Library::put_event(const ftp_event* event) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (event == nullptr || !device_in_range(event->device)) return ST_BAD_ARGUMENT;
    // A dropped event is reported, unlike post_event's silent callers.
    return events_->post(*event) == EventQueue::PostResult::Appended ? ST_OK : -1;
}

// ---- command rings ------------------------------------------------------------------------

int Library::send_command(int device, const pc_command* command) {
    if (!device_in_range(device) || command == nullptr) return -2;
    if (!rings_[static_cast<std::size_t>(device)].put(*command)) {
        log_.write(LOG_ALERT, "pc cmd buf is full!\n");
        return -1;
    }
    return 0;
}

bool Library::take_command(int device, pc_command& out) {
    return device_in_range(device) && rings_[static_cast<std::size_t>(device)].take(out);
}

bool Library::command_destination(int device, plat::SocketAddress& to) {
    if (!device_in_range(device)) return false;
    Device& d = devices_[static_cast<std::size_t>(device)];
    std::lock_guard<std::mutex> lock(d.lock);
    const std::string text(d.info.address, bounded_length(d.info.address, sizeof d.info.address));
    std::uint32_t ip = 0;
    if (!plat::parse_ipv4(text, ip) || d.info.port <= 0 || d.info.port > 0xFFFF) return false;
    to.ip = ip;
    to.port = static_cast<std::uint16_t>(d.info.port);
    return true;
}

bd_info Library::device_info(int device) {
    Device& d = devices_[static_cast<std::size_t>(device)];
    std::lock_guard<std::mutex> lock(d.lock);
    return d.info;
}

void Library::force_state(int device, int state) {
    Device& d = devices_[static_cast<std::size_t>(device)];
    std::lock_guard<std::mutex> lock(d.lock);
    d.info.state = state;
    d.info.state_timer = plat::tick_ms();
    d.info.last_heart_ack = d.info.state_timer;
}

// ---- device parameters --------------------------------------------------------------------

int Library::get_bd_param(int device, int channel, int code, void* buffer) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (buffer == nullptr) return -2;
    if (!device_configured(device)) return ST_BAD_ARGUMENT;
    const bool channel_code =
        code == BD_PARAM_CHAN_NAME || code == BD_PARAM_CHAN_TEXT || code == BD_PARAM_CHAN_VALUE;
    if (channel_code && (channel < 0 || channel >= kChannelCount)) return ST_BAD_ARGUMENT;

    Device& d = devices_[static_cast<std::size_t>(device)];
    bd_info& b = d.info;
    switch (code) {
    case BD_PARAM_LOGIN_BYTES: {
        std::lock_guard<std::mutex> lock(d.lock);
        std::memcpy(buffer, b.login_bytes, sizeof b.login_bytes);
        return ST_OK;
    }
    case BD_PARAM_EMPTY:
        static_cast<char*>(buffer)[0] = '\0';
        return ST_OK;
    case BD_PARAM_IPADDR: {
        std::lock_guard<std::mutex> lock(d.lock);
        copy_out_text(buffer, b.address, sizeof b.address - 1);
        return ST_OK;
    }
    case BD_PARAM_CHANCOUNT: {
        std::lock_guard<std::mutex> lock(d.lock);
        std::memcpy(buffer, &b.channel_count, sizeof(std::int32_t));
        return ST_OK;
    }
    case BD_PARAM_NEWFILE_NAME: {
        std::lock_guard<std::mutex> lock(d.lock);
        // Reading leaves the answer in place: name, date and index stay one set until the
        // next answer replaces them all, however many answers one poll of the host handles.
        copy_out_text(buffer, b.newfile_name, sizeof b.newfile_name - 1);
        return ST_OK;
    }
    case BD_PARAM_SERIAL:
        if (conn_mode_ == CONNMODE_LISTEN || conn_mode_ == CONNMODE_PC_PASSIVE) {
            const std::string& serial = settings_.devices[static_cast<std::size_t>(device)].serial;
            std::memcpy(buffer, serial.c_str(), serial.size() + 1);
        } else {
            std::lock_guard<std::mutex> lock(d.lock);
            copy_out_text(buffer, b.device_id, sizeof b.device_id - 1);
        }
        return ST_OK;
    case BD_PARAM_NEWFILE_DATE: {
        std::lock_guard<std::mutex> lock(d.lock);
        copy_out_text(buffer, b.newfile_date, sizeof b.newfile_date - 1);
        return ST_OK;
    }
    case BD_PARAM_QUERY_COUNT: {
        const std::int32_t count = query_result_count();
        std::memcpy(buffer, &count, sizeof count);
        return ST_OK;
    }
    case BD_PARAM_DB_INDEX: {
        std::lock_guard<std::mutex> lock(d.lock);
        std::memcpy(buffer, &b.newfile_db_index, sizeof(std::int32_t));
        return ST_OK;
    }
    case BD_PARAM_CHAN_NAME: {
        std::lock_guard<std::mutex> lock(tables_mutex_);
        copy_out_limited(buffer, channels_[static_cast<std::size_t>(channel)].name,
                         WireFields::chan_name);
        return ST_OK;
    }
    case BD_PARAM_CHAN_TEXT: {
        std::lock_guard<std::mutex> lock(tables_mutex_);
        copy_out_limited(buffer, channels_[static_cast<std::size_t>(channel)].text,
                         WireFields::chan_text);
        return ST_OK;
    }
    case BD_PARAM_CHAN_VALUE: {
        std::lock_guard<std::mutex> lock(tables_mutex_);
        std::memcpy(buffer, &channels_[static_cast<std::size_t>(channel)].value,
                    sizeof(std::int32_t));
        return ST_OK;
    }
    case BD_PARAM_CLOCK: {
        std::lock_guard<std::mutex> lock(tables_mutex_);
        copy_out_limited(buffer, device_text_, sizeof device_text_);
        return ST_OK;
    }
    default:
        return ST_BAD_ARGUMENT;
    }
}

int Library::set_bd_param(int device, int b, int code, const void* data) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (data == nullptr) return -2;
    if (!device_configured(device)) return ST_BAD_ARGUMENT;
    const auto byte_b = static_cast<std::uint8_t>(b);
    const auto protocol = static_cast<std::uint8_t>(settings_.protocol_id);
    const auto* text = static_cast<const char*>(data);
    pc_command command;
    switch (code) {
    case BD_PARAM_CHAN_NAME:
    case BD_PARAM_CHAN_TEXT: {
        if (static_cast<unsigned>(b) > 1) return ST_BAD_ARGUMENT;
        // The caller's text is read only up to its end; the rest of the field goes out as 0.
        const std::size_t size = code == BD_PARAM_CHAN_NAME ? WireFields::chan_name
                                                             : WireFields::chan_text;
        std::uint8_t field[WireFields::chan_name] = {};
        std::memcpy(field, text, bounded_length(text, size));
        command = build_set_param(protocol, byte_b,
                                  code == BD_PARAM_CHAN_NAME ? SETPARAM_CHAN_NAME
                                                             : SETPARAM_CHAN_TEXT,
                                  0, field);
        break;
    }
    case BD_PARAM_CHAN_VALUE: {
        if (static_cast<unsigned>(b) > 1) return ST_BAD_ARGUMENT;
        std::int32_t value;
        std::memcpy(&value, data, sizeof value);
        command = build_set_param(protocol, byte_b, SETPARAM_CHAN_VALUE, value, nullptr);
        break;
    }
    case BD_PARAM_SUBTYPE100:
        command = build_set_param(protocol, byte_b, SETPARAM_SUBTYPE100, 0, nullptr);
        break;
    case BD_PARAM_READ_DEVTEXT:
        command = build_read_param(protocol, byte_b, PARAM_KIND_DEVICE_TEXT);
        break;
    case BD_PARAM_READ_CHANNELS:
        command = build_read_param(protocol, byte_b, PARAM_KIND_CHANNEL);
        break;
    case BD_PARAM_CLOCK:
        if (bounded_length(text, WireFields::clock_text + 1) != WireFields::clock_text)
            return -2;
        if (!is_clock_text(text)) return -3;
        command = build_set_param(protocol, byte_b, SETPARAM_CLOCK, 0, text);
        break;
    case BD_PARAM_ENABLE: {
        std::int32_t enabled;
        std::memcpy(&enabled, data, sizeof enabled);
        Device& d = devices_[static_cast<std::size_t>(device)];
        std::lock_guard<std::mutex> lock(d.lock);
        d.info.enabled = enabled;
        if (enabled == 0 && d.info.state == BD_STATE_LOGGED_IN) d.info.state = BD_STATE_LOGOUT;
        return ST_OK;
    }
    default:
        return -3;
    }
    send_command(device, &command);
    return ST_OK;
}

// ---- connection requests ------------------------------------------------------------------

int Library::get_connreqinfo(ftp_connreqinfo* info) {
    if (info == nullptr) return ST_BAD_ARGUMENT;
    return connreqs_.take(*info) ? ST_OK : -1;
}

} // namespace tarnlink
