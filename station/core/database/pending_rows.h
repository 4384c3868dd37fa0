// Call records that could not be stored yet, in a file beside the database, in the order they
// came. Each line starts with a mark: '-' waiting, '+' stored. A stored row is marked by
// overwriting that one byte, so that no crash leaves a row both in the table and waiting
// except the one being stored at that moment; once no row waits the file is emptied.
#pragma once
#include <cstdint>
#include <deque>
#include <string>

#include "platform/files.h"
#include "station/core/database/call_log_info.h"

namespace calldb {

class PendingRows {
public:
    // Opens and reads the file at `path` (GBK) when it exists; a missing file holds no row.
    explicit PendingRows(std::string path);

    const std::string& path() const { return path_; }
    bool empty() const { return waiting_.empty(); }
    std::size_t size() const { return waiting_.size(); }
    const ACallLogInfo& front() const { return waiting_.front().record; }
    // Whole lines of the file that hold no row (changed by hand, or a failed read); they are
    // kept, and the file is then never emptied.
    std::size_t unreadable_lines() const { return unreadable_; }

    // Appends the record and flushes the file to the disk; false when it is not safe there.
    bool append(const ACallLogInfo& record);
    // Marks the first waiting row stored; false when the mark could not be written (the row
    // then stays first in memory as well, so that the caller knows it may be in the table).
    bool mark_front_stored();
    // Writes the marks through to the disk, and empties the file when no row waits.
    bool flush();

private:
    struct Waiting {
        std::int64_t mark_offset;
        ACallLogInfo record;
    };
    bool open_file();
    void read_file();

    std::string path_;
    plat::File file_;
    std::deque<Waiting> waiting_;
    std::int64_t end_ = 0;  // where the next line goes: after the last whole line
    std::size_t unreadable_ = 0;
    bool marks_written_ = false;
};

// Waiting rows whose recording is at `wave_file_path` in the pending file at `path`, read afresh
// (another thread's PendingRows may be writing it); 0 when the file cannot be read.
std::size_t CountWaitingRowsWithPath(const std::string& path, const std::string& wave_file_path);

} // namespace calldb
