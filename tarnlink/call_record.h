// The call record that a device embeds in each recording and sends in call-log results, and
// its decoding into ftp_callinfo. The layout and the checksum are for the device side too
// (the stand-in device builds records with them).
#pragma once

#include <cstddef>
#include <cstdint>

#include "tarnlink/tarnlink.h"

namespace tarnlink {

// Byte offsets and sizes of the raw record (digits and texts are GBK characters).
struct CallRecordLayout {
    static constexpr std::size_t size = 300;            // as embedded in a recording
    static constexpr std::size_t size_with_note = 330;  // as sent in a call-log result
    struct Field { std::size_t offset, size; };
    static constexpr Field call_type{0, 1};
    static constexpr Field start_year{1, 4};
    static constexpr Field start_month{5, 2};
    static constexpr Field start_day{7, 2};
    static constexpr Field start_hour{9, 2};
    static constexpr Field start_minute{11, 2};
    static constexpr Field start_second{13, 2};
    static constexpr Field caller_number{15, 31};       // of a 32-byte field
    static constexpr Field dialled_digits{47, 31};      // of a 32-byte field
    static constexpr Field channel{79, 3};
    static constexpr Field line{82, 30};
    static constexpr Field agent_name{112, 20};
    static constexpr Field second_year{132, 4};
    static constexpr Field second_month{136, 2};
    static constexpr Field second_day{138, 2};
    static constexpr Field second_hour{140, 2};
    static constexpr Field second_minute{142, 2};
    static constexpr Field second_second{144, 2};
    static constexpr Field rings{146, 2};
    static constexpr Field ring_seconds{148, 3};
    static constexpr Field duration{151, 6};
    static constexpr Field file_name{157, 50};
    static constexpr Field number{207, 10};
    static constexpr Field session_number{217, 30};
    static constexpr Field signed_byte{247, 1};
    static constexpr Field text{248, 32};
    static constexpr Field signature{280, 8};
    static constexpr Field checksum{288, 4};
    static constexpr Field db_index{296, 4};
    static constexpr Field note{300, 29};
    static constexpr std::size_t summed_bytes = 288;     // bytes 0..287 enter the checksum
};
constexpr char CALL_RECORD_SIGNATURE[] = "DRAVIKMO";

// Where a downloaded recording holds its record: at offset 58 (300 bytes), or, when the
// 16-bit value at offset 20 is 17, 292 bytes at offset 68 followed by 4 bytes at offset 64
// that land on the record's bytes 248..251.
struct EmbeddedRecordLayout {
    static constexpr std::size_t format_offset = 20;
    static constexpr std::uint16_t split_format = 17;
    static constexpr std::size_t plain_offset = 58;
    static constexpr std::size_t split_main_offset = 68;
    static constexpr std::size_t split_main_size = 292;
    static constexpr std::size_t split_tail_offset = 64;
    static constexpr std::size_t split_tail_size = 4;
    static constexpr std::size_t split_tail_target = 248;
};

// The checksum word that makes a record pass: minus the byte sum of bytes 0..287.
std::int32_t call_record_checksum(const std::uint8_t* record);

enum DecodeResult : int {
    DECODE_OK = 0,
    DECODE_BAD_ARGUMENT = -1,
    DECODE_BAD_SIGNATURE = -2,
    DECODE_BAD_CHECKSUM = -3,
};
// Decodes `length` bytes (at least 300; the note is read only from 330) into `out`. A record
// that fails a check leaves `out` untouched.
int decode_calllog(ftp_callinfo* out, const std::uint8_t* raw, std::size_t length);

} // namespace tarnlink
