// Recordings as a device stores them: playable WAV files with the device's raw call record
// embedded where the workstation reads it, and the raw call record itself.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tarnlink/call_record.h"

namespace standin {

// The fields of a raw call record; texts are GBK bytes, digits as the device writes them.
struct CallRecordFields {
    char call_type = '1';
    std::string start_date = "20120301";   // 8 digits
    std::string start_time = "081500";     // 6 digits
    std::string caller = "13800138000";
    std::string dialled = "010";
    std::string channel = "001";           // 3 characters
    std::string line = "LINE-1";
    std::string agent = "agent";
    std::string second_date = "20120301";
    std::string second_time = "081530";
    std::string rings = "02";              // 2 characters
    std::string ring_seconds = "005";      // 3 characters
    std::string duration = "000042";       // 6 characters
    std::string file_name = "rec.wav";
    std::string number = "0000000007";     // 10 characters
    std::string session = "S-0001";
    std::int8_t signed_byte = -1;
    std::string text = "text";
    std::int32_t db_index = 1;
    std::string note;                      // only in a 330-byte record
};

struct RecordChecks {
    bool good_signature = true;
    bool good_checksum = true;
};

constexpr std::size_t kRawRecordSize = tarnlink::CallRecordLayout::size;
constexpr std::size_t kRawRecordWithNoteSize = tarnlink::CallRecordLayout::size_with_note;

// A raw record of `size` bytes (300 or 330) with its signature and checksum right or wrong.
std::vector<std::uint8_t> build_call_record(const CallRecordFields& fields, std::size_t size,
                                            RecordChecks checks = {});
// Recomputes the checksum word of a raw record (at least 292 bytes) after a change.
void seal_call_record(std::vector<std::uint8_t>& record);

enum class WavLayout {
    Pcm,       // 16-bit PCM, mono 8 kHz; the record at offset 58
    Adpcm17,   // format 17 (IMA ADPCM), mono 8 kHz; the record split at offsets 64 and 68
};

// A playable WAV of about `duration_ms` of a tone with `record` (300 bytes) embedded.
std::vector<std::uint8_t> make_wav(WavLayout layout, const std::vector<std::uint8_t>& record,
                                   std::uint32_t duration_ms = 500);

// The 300 bytes a workstation reads back from a recording file of either layout (the reverse
// of make_wav); for checks of the embedding.
std::vector<std::uint8_t> embedded_record(const std::vector<std::uint8_t>& file);

// Bytes of arbitrary content of `size` bytes, different per seed (for sizes around packet
// boundaries where a WAV would not fit).
std::vector<std::uint8_t> pattern_bytes(std::size_t size, std::uint32_t seed);

} // namespace standin
