// The 26 exports: each forwards to the one library instance; no exception leaves them.
#include "tarnlink/exports.h"

#include <mutex>

#include "tarnlink/library.h"

namespace tarnlink {

namespace {
std::once_flag created;
Library* instance = nullptr;
} // namespace

Library& the_library() {
    // Never destroyed: the unload path (or the process end) decides what to stop.
    std::call_once(created, [] { instance = new Library(); });
    return *instance;
}

Library* loaded_library() {
    return instance;
}

} // namespace tarnlink

namespace {

template <typename Call>
int guarded(Call call) {
    try {
        return call(tarnlink::the_library());
    } catch (...) {
        return -1;
    }
}

} // namespace

extern "C" {

int kvftp_set_cfgfile(const char* path) {
    return guarded([&](tarnlink::Library& l) { return l.set_cfgfile(path); });
}
int kvftp_init(const char* unused, int mode) {
    return guarded([&](tarnlink::Library& l) { return l.init(unused, mode); });
}
int kvftp_release(void) {
    return guarded([&](tarnlink::Library& l) { return l.release(); });
}
int kvftp_get_bd_num(void) {
    return guarded([&](tarnlink::Library& l) { return l.get_bd_num(); });
}
int kvftp_get_bd_param(int device, int channel, int code, void* buffer) {
    return guarded([&](tarnlink::Library& l) { return l.get_bd_param(device, channel, code, buffer); });
}
int kvftp_set_bd_param(int device, int b, int code, const void* data) {
    return guarded([&](tarnlink::Library& l) { return l.set_bd_param(device, b, code, data); });
}
int kvftp_get_event_async(ftp_event* event) {
    return guarded([&](tarnlink::Library& l) { return l.get_event_async(event); });
}
int kvftp_put_event(const ftp_event* event) {
    return guarded([&](tarnlink::Library& l) { return l.put_event(event); });
}
int kvftp_query_newfile(int device, int value) {
    return guarded([&](tarnlink::Library& l) { return l.query_newfile(device, value); });
}
int kvftp_start_uploadfile(int device, const char* device_file_name, int size, const char* tag,
                           const char* local_path, int transfer_id, int db_index, int no_tag) {
    return guarded([&](tarnlink::Library& l) {
        return l.start_uploadfile(device, device_file_name, size, tag, local_path, transfer_id,
                                  db_index, no_tag);
    });
}
int kvftp_uploadfile_terminate(int device, int /*unused*/) {
    return guarded([&](tarnlink::Library& l) { return l.uploadfile_terminate(device); });
}
int kvftp_uploadfile_terminate_async(int device) {
    return guarded([&](tarnlink::Library& l) { return l.uploadfile_terminate_async(device); });
}
int kvftp_get_upload_progress(int device, int* bytes_received, int* file_size) {
    return guarded([&](tarnlink::Library& l) {
        return l.get_upload_progress(device, bytes_received, file_size);
    });
}
int kvftp_ignore_uploadfile(int device, const char* device_file_name, int db_index,
                            int transfer_id) {
    return guarded([&](tarnlink::Library& l) {
        return l.ignore_uploadfile(device, device_file_name, db_index, transfer_id);
    });
}
int kvftp_get_callinfo(int device, ftp_callinfo* info) {
    return guarded([&](tarnlink::Library& l) { return l.get_callinfo(device, info); });
}
int kvftp_connect_device(const char* host, int port, const char* user, const char* password,
                         const char* local_ip, int local_port) {
    return guarded([&](tarnlink::Library& l) {
        return l.connect_device(host, port, user, password, local_ip, local_port);
    });
}
int kvftp_disconnect_device(void) {
    return guarded([&](tarnlink::Library& l) { return l.disconnect_device(); });
}
int kvftp_malloc_queryresbuf(int count) {
    return guarded([&](tarnlink::Library& l) { return l.malloc_queryresbuf(count); });
}
int kvftp_clear_queryparams(ftp_queryparams* params) {
    return guarded([&](tarnlink::Library&) { return tarnlink::Library::clear_queryparams(params); });
}
int kvftp_set_queryparams(const ftp_queryparams* params) {
    return guarded([&](tarnlink::Library& l) { return l.set_queryparams(params); });
}
int kvftp_query_async(int /*unused*/, int query_id) {
    return guarded([&](tarnlink::Library& l) { return l.query_async(query_id); });
}
int kvftp_get_queryresult(int index, ftp_callinfo* info) {
    return guarded([&](tarnlink::Library& l) { return l.get_queryresult(index, info); });
}
int kvftp_query_terminate(int /*unused*/) {
    return guarded([&](tarnlink::Library& l) { return l.query_terminate(); });
}
int kvftp_delete_calllog(const char* name, int a, int b, int all) {
    return guarded([&](tarnlink::Library& l) { return l.delete_calllog(name, a, b, all); });
}
int kvftp_set_calllog_comment(const char* name, int a, const char* comment, int b) {
    return guarded([&](tarnlink::Library& l) { return l.set_calllog_comment(name, a, comment, b); });
}
int kvftp_get_connreqinfo(ftp_connreqinfo* info) {
    return guarded([&](tarnlink::Library& l) { return l.get_connreqinfo(info); });
}

} // extern "C"
