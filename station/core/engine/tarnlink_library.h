// The binding to the real transfer library: every call goes straight to its export.
#pragma once
#include "station/core/engine/transfer_library.h"

namespace station {

class TarnlinkLibrary final : public ITransferLibrary {
public:
    int set_cfgfile(const char* path) override;
    int init(const char* unused, int mode) override;
    int release() override;
    int get_bd_num() override;
    int get_bd_param(int device, int channel, int code, void* buffer) override;
    int set_bd_param(int device, int b, int code, const void* data) override;
    int get_event_async(ftp_event* event) override;
    int query_newfile(int device, int value) override;
    int start_uploadfile(int device, const char* device_file_name, int size, const char* tag,
                         const char* local_path, int transfer_id, int db_index, int no_tag) override;
    int get_upload_progress(int device, int* bytes_received, int* file_size) override;
    int uploadfile_terminate_async(int device) override;
    int ignore_uploadfile(int device, const char* device_file_name, int db_index, int transfer_id) override;
    int get_callinfo(int device, ftp_callinfo* info) override;
    int get_connreqinfo(ftp_connreqinfo* info) override;
};

} // namespace station
