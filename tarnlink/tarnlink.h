/* tarnlink: the recording devices' transfer library.
 *
 * Every export returns a 32-bit status: 0 success, -10 not initialised, -1 a bad argument,
 * other negative values a failure named with the export, positive a special outcome.
 * Texts are NUL-terminated GBK; every buffer belongs to the caller and is copied.
 * Asynchronous results arrive only as ftp_event records taken with kvftp_get_event_async.
 * All records are little-endian and laid out without padding holes; the static_asserts at
 * the end pin every size and offset that crosses the library boundary. */
#ifndef TARNLINK_TARNLINK_H
#define TARNLINK_TARNLINK_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#  if defined(TARNLINK_BUILDING)
#    define TARNLINK_API __declspec(dllexport)
#  else
#    define TARNLINK_API __declspec(dllimport)
#  endif
#elif defined(TARNLINK_BUILDING)
#  define TARNLINK_API __attribute__((visibility("default")))
#else
#  define TARNLINK_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* kvftp_init's mode argument: these low 16 bits select the one-device direct mode. */
#define KVFTP_DIRECT_MODE_SELECTOR 1816

/* ftp_conn_mode ([FTPInfo] ConnMode). */
#define CONNMODE_LISTEN 0
#define CONNMODE_PC_ACTIVE 1
#define CONNMODE_PC_PASSIVE 2

/* Event codes (ftp_event.code). */
#define EVT_FTP_LOGIN_SUCC 51
#define EVT_FTP_DISCONNECT 52
#define EVT_FTP_LOGIN_FAIL 53
#define EVT_FTP_DEVCONN_REQ 54
#define EVT_FTP_DEV_LOGOUT 55
#define EVT_FTP_NEWFILE_INFO 61
#define EVT_FTP_TRANSFER_END 62
#define EVT_FTP_QUERY_DATA 70
#define EVT_FTP_QUERY_END 71
#define EVT_FTP_SETPARAM_ACK 72
#define EVT_FTP_DELCALLLOG_ACK 73
#define EVT_FTP_COMMENT_ACK 74
#define EVT_FTP_GETPARAM_ACK 75

/* Causes in p1 of EVT_FTP_LOGIN_FAIL. */
#define LOGIN_FAIL_UNKNOWN_USER 2
#define LOGIN_FAIL_WRONG_PASSWORD 3
#define LOGIN_FAIL_CONNECTIONS_FULL 4
#define LOGIN_FAIL_NO_ANSWER 5
#define LOGIN_FAIL_NOT_AUTHORISED 6
#define LOGIN_FAIL_HOST_UNRESOLVED 7

/* Connection states. */
#define BD_STATE_IDLE 1
#define BD_STATE_CONNECT 2
#define BD_STATE_WAIT_LOGIN_ACK 3
#define BD_STATE_LOGGED_IN 4
#define BD_STATE_RESET 5
#define BD_STATE_LOGOUT 6
#define BD_STATE_WAIT_LOGOUT 7
#define BD_STATE_WAIT_CONNREQ 9

/* Download states and results (p1 of EVT_FTP_TRANSFER_END). */
#define UPL_STATE_IDLE 1
#define UPL_STATE_REQUEST 3
#define UPL_STATE_RECEIVING 4
#define UPL_STATE_FINISHING 5
#define UPL_RESULT_OK 1
#define UPL_RESULT_TIMEOUT 2
#define UPL_RESULT_CANCELLED 3
#define UPL_RESULT_REFUSED 10

/* ftp_bd_param codes of kvftp_get_bd_param / kvftp_set_bd_param. */
#define BD_PARAM_LOGIN_BYTES 1
#define BD_PARAM_EMPTY 2
#define BD_PARAM_IPADDR 3
#define BD_PARAM_CHANCOUNT 4
#define BD_PARAM_NEWFILE_NAME 5
#define BD_PARAM_SERIAL 6
#define BD_PARAM_NEWFILE_DATE 7
#define BD_PARAM_QUERY_COUNT 8
#define BD_PARAM_DB_INDEX 9
#define BD_PARAM_CHAN_NAME 21
#define BD_PARAM_CHAN_TEXT 22
#define BD_PARAM_SUBTYPE100 23
#define BD_PARAM_READ_DEVTEXT 24
#define BD_PARAM_READ_CHANNELS 25
#define BD_PARAM_CHAN_VALUE 26
#define BD_PARAM_CLOCK 27
#define BD_PARAM_ENABLE 28

typedef struct ftp_event {
    int32_t code;
    int32_t device;
    int32_t p1;
    int32_t p2;
    int32_t p3;
} ftp_event;

typedef struct ftp_callinfo {
    int32_t call_type;
    char start_date[12];      /* "YYYY-MM-DD" */
    char start_time[12];      /* "hh:mm:ss" */
    char caller_number[32];
    char dialled_digits[32];
    int32_t channel;
    char line[32];
    char agent_name[24];
    char note[32];
    char second_date[12];
    char second_time[12];
    int32_t rings;
    int32_t ring_seconds;
    int32_t duration;
    char file_name[56];
    int32_t number;
    char text[32];
    char session_number[32];
    int32_t signed_byte;
    int32_t iIndexOfDB;
} ftp_callinfo;

typedef struct ftp_connreqinfo {
    char serial[32];
    char address[32];
    int32_t port;
} ftp_connreqinfo;

typedef struct ftp_queryparams {
    int32_t item1_enable;
    int32_t item1_first;
    int32_t item1_second;
    int32_t item2_enable;
    char item2_first[20];
    char item2_second[20];
    int32_t item4_enable;
    char item4_text[32];
    int32_t item5_enable;
    char item5_text[32];
    int32_t item3_enable;
    uint8_t item3_data[24];
    int32_t item6_enable;
    char item6_text[32];
    int32_t item7_enable;
    char item7_text[20];
    int32_t item10_enable;
    int32_t item10_lower;
    int32_t item10_upper;
    int32_t item11_enable;
    int32_t item11_lower;
    int32_t item11_upper;
    int32_t item8_enable;
    char item8_text[32];
    int32_t item9_enable;
    uint16_t item9_value;
    uint8_t reserved[2];
} ftp_queryparams;

TARNLINK_API int kvftp_set_cfgfile(const char* path);
TARNLINK_API int kvftp_init(const char* unused, int mode);
TARNLINK_API int kvftp_release(void);
TARNLINK_API int kvftp_get_bd_num(void);
TARNLINK_API int kvftp_get_bd_param(int device, int channel, int code, void* buffer);
TARNLINK_API int kvftp_set_bd_param(int device, int b, int code, const void* data);
TARNLINK_API int kvftp_get_event_async(ftp_event* event);
TARNLINK_API int kvftp_put_event(const ftp_event* event);
TARNLINK_API int kvftp_query_newfile(int device, int value);
/* kvftp_start_uploadfile: 0 started; 1 the local path exists (the device is told to skip the
 * file); -1 a bad argument; -2 the device is not logged in; -3 a download is running; -5 a
 * local file cannot be made; -6 "<local path>.ltf" or "<local path>.dxc" exists and is not
 * this library's working pair (a resume file holding a valid record, or empty, with its
 * download file): nothing is removed and nothing is started; -10 not initialised; -11 a size
 * of 100 MiB or more. */
TARNLINK_API int kvftp_start_uploadfile(int device, const char* device_file_name, int size,
                                        const char* tag, const char* local_path,
                                        int transfer_id, int db_index, int no_tag);
TARNLINK_API int kvftp_uploadfile_terminate(int device, int unused);
TARNLINK_API int kvftp_uploadfile_terminate_async(int device);
TARNLINK_API int kvftp_get_upload_progress(int device, int* bytes_received, int* file_size);
TARNLINK_API int kvftp_ignore_uploadfile(int device, const char* device_file_name, int db_index,
                                         int transfer_id);
TARNLINK_API int kvftp_get_callinfo(int device, ftp_callinfo* info);
TARNLINK_API int kvftp_connect_device(const char* host, int port, const char* user,
                                      const char* password, const char* local_ip,
                                      int local_port);
TARNLINK_API int kvftp_disconnect_device(void);
TARNLINK_API int kvftp_malloc_queryresbuf(int count);
TARNLINK_API int kvftp_clear_queryparams(ftp_queryparams* params);
TARNLINK_API int kvftp_set_queryparams(const ftp_queryparams* params);
TARNLINK_API int kvftp_query_async(int unused, int query_id);
TARNLINK_API int kvftp_get_queryresult(int index, ftp_callinfo* info);
TARNLINK_API int kvftp_query_terminate(int unused);
TARNLINK_API int kvftp_delete_calllog(const char* name, int a, int b, int all);
TARNLINK_API int kvftp_set_calllog_comment(const char* name, int a, const char* comment, int b);
TARNLINK_API int kvftp_get_connreqinfo(ftp_connreqinfo* info);

#ifdef __cplusplus
} /* extern "C" */
#define TARNLINK_STATIC_ASSERT(cond) static_assert(cond, #cond)
#else
#define TARNLINK_STATIC_ASSERT(cond) _Static_assert(cond, #cond)
#endif

TARNLINK_STATIC_ASSERT(sizeof(ftp_event) == 20);
TARNLINK_STATIC_ASSERT(offsetof(ftp_event, device) == 4);
TARNLINK_STATIC_ASSERT(offsetof(ftp_event, p1) == 8);
TARNLINK_STATIC_ASSERT(offsetof(ftp_event, p2) == 12);
TARNLINK_STATIC_ASSERT(offsetof(ftp_event, p3) == 16);

TARNLINK_STATIC_ASSERT(sizeof(ftp_callinfo) == 352);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, start_date) == 4);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, start_time) == 16);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, caller_number) == 28);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, dialled_digits) == 60);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, channel) == 92);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, line) == 96);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, agent_name) == 128);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, note) == 152);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, second_date) == 184);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, second_time) == 196);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, rings) == 208);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, ring_seconds) == 212);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, duration) == 216);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, file_name) == 220);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, number) == 276);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, text) == 280);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, session_number) == 312);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, signed_byte) == 344);
TARNLINK_STATIC_ASSERT(offsetof(ftp_callinfo, iIndexOfDB) == 348);

TARNLINK_STATIC_ASSERT(sizeof(ftp_connreqinfo) == 68);
TARNLINK_STATIC_ASSERT(offsetof(ftp_connreqinfo, address) == 32);
TARNLINK_STATIC_ASSERT(offsetof(ftp_connreqinfo, port) == 64);

TARNLINK_STATIC_ASSERT(sizeof(ftp_queryparams) == 284);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item1_first) == 4);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item1_second) == 8);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item2_enable) == 12);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item2_first) == 16);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item2_second) == 36);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item4_enable) == 56);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item4_text) == 60);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item5_enable) == 92);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item5_text) == 96);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item3_enable) == 128);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item3_data) == 132);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item6_enable) == 156);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item6_text) == 160);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item7_enable) == 192);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item7_text) == 196);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item10_enable) == 216);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item10_lower) == 220);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item10_upper) == 224);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item11_enable) == 228);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item11_lower) == 232);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item11_upper) == 236);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item8_enable) == 240);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item8_text) == 244);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item9_enable) == 276);
TARNLINK_STATIC_ASSERT(offsetof(ftp_queryparams, item9_value) == 280);

#undef TARNLINK_STATIC_ASSERT

#endif /* TARNLINK_TARNLINK_H */
