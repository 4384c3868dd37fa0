#include "station/core/engine/tarnlink_library.h"

namespace station {

int TarnlinkLibrary::set_cfgfile(const char* path) { return kvftp_set_cfgfile(path); }
int TarnlinkLibrary::init(const char* unused, int mode) { return kvftp_init(unused, mode); }
int TarnlinkLibrary::release() { return kvftp_release(); }
int TarnlinkLibrary::get_bd_num() { return kvftp_get_bd_num(); }
int TarnlinkLibrary::get_bd_param(int device, int channel, int code, void* buffer) {
    return kvftp_get_bd_param(device, channel, code, buffer);
}
int TarnlinkLibrary::set_bd_param(int device, int b, int code, const void* data) {
    return kvftp_set_bd_param(device, b, code, data);
}
int TarnlinkLibrary::get_event_async(ftp_event* event) { return kvftp_get_event_async(event); }
int TarnlinkLibrary::query_newfile(int device, int value) { return kvftp_query_newfile(device, value); }
int TarnlinkLibrary::start_uploadfile(int device, const char* device_file_name, int size, const char* tag,
                                      const char* local_path, int transfer_id, int db_index, int no_tag) {
    return kvftp_start_uploadfile(device, device_file_name, size, tag, local_path, transfer_id, db_index, no_tag);
}
int TarnlinkLibrary::get_upload_progress(int device, int* bytes_received, int* file_size) {
    return kvftp_get_upload_progress(device, bytes_received, file_size);
}
int TarnlinkLibrary::uploadfile_terminate_async(int device) { return kvftp_uploadfile_terminate_async(device); }
int TarnlinkLibrary::ignore_uploadfile(int device, const char* device_file_name, int db_index, int transfer_id) {
    return kvftp_ignore_uploadfile(device, device_file_name, db_index, transfer_id);
}
int TarnlinkLibrary::get_callinfo(int device, ftp_callinfo* info) { return kvftp_get_callinfo(device, info); }
int TarnlinkLibrary::get_connreqinfo(ftp_connreqinfo* info) { return kvftp_get_connreqinfo(info); }

} // namespace station
