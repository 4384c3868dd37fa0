// The 14 calls the station makes into the transfer library. The station's engine talks only to
// this interface: the real binding forwards to the library's exports, tests script a fake.
// Arguments and results are exactly those of the exports of the same names.
#pragma once
#include "tarnlink/tarnlink.h"

namespace station {

class ITransferLibrary {
public:
    virtual ~ITransferLibrary() = default;
    virtual int set_cfgfile(const char* path) = 0;
    virtual int init(const char* unused, int mode) = 0;
    virtual int release() = 0;
    virtual int get_bd_num() = 0;
    virtual int get_bd_param(int device, int channel, int code, void* buffer) = 0;
    virtual int set_bd_param(int device, int b, int code, const void* data) = 0;
    virtual int get_event_async(ftp_event* event) = 0;
    virtual int query_newfile(int device, int value) = 0;
    virtual int start_uploadfile(int device, const char* device_file_name, int size, const char* tag,
                                 const char* local_path, int transfer_id, int db_index, int no_tag) = 0;
    virtual int get_upload_progress(int device, int* bytes_received, int* file_size) = 0;
    virtual int uploadfile_terminate_async(int device) = 0;
    virtual int ignore_uploadfile(int device, const char* device_file_name, int db_index, int transfer_id) = 0;
    virtual int get_callinfo(int device, ftp_callinfo* info) = 0;
    virtual int get_connreqinfo(ftp_connreqinfo* info) = 0;
};

// Size of the text buffer the station hands to the library for text parameters.
constexpr int kParamTextSize = 100;

} // namespace station
