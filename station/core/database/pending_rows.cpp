#include "station/core/database/pending_rows.h"

#include "station/core/database/pending_row_text.h"

namespace calldb {

namespace {
constexpr char kWaiting = '-';
constexpr char kStored = '+';
} // namespace

PendingRows::PendingRows(std::string path) : path_(std::move(path)) {
    if (plat::file_exists(path_) && open_file()) read_file();
}

bool PendingRows::open_file() {
    if (file_.is_open()) return true;
    return file_.open(path_, plat::File::Mode::OpenOrCreate);
}

void PendingRows::read_file() {
    const std::int64_t size = file_.size();
    if (size <= 0) return;
    std::string contents(static_cast<std::size_t>(size), '\0');
    if (file_.read_at(0, contents.data(), contents.size()) != size) {
        // Nothing is known to wait; new rows go after what is there, which is kept.
        ++unreadable_;
        end_ = size;
        return;
    }
    std::size_t start = 0;
    for (std::size_t newline; (newline = contents.find('\n', start)) != std::string::npos; start = newline + 1) {
        const std::string_view line(contents.data() + start, newline - start);
        ACallLogInfo record;
        if (line.empty() || line[0] == kStored) continue;
        if (line[0] == kWaiting && decode_pending_row(line.substr(1), record))
            waiting_.push_back({static_cast<std::int64_t>(start), std::move(record)});
        else
            ++unreadable_;
    }
    // A line without its line break was being written when the station ended; its caller
    // never heard that the row was safe, so the next line goes over it.
    end_ = static_cast<std::int64_t>(start);
}

std::size_t CountWaitingRowsWithPath(const std::string& path, const std::string& wave_file_path) {
    std::string contents;
    if (!plat::file_exists(path) || !plat::read_whole_file(path, contents)) return 0;
    std::size_t count = 0;
    std::size_t start = 0;
    // Only whole lines: one being written is not safe yet, and its row is still with the writer.
    for (std::size_t newline; (newline = contents.find('\n', start)) != std::string::npos; start = newline + 1) {
        const std::string_view line(contents.data() + start, newline - start);
        ACallLogInfo record;
        if (!line.empty() && line[0] == kWaiting && decode_pending_row(line.substr(1), record))
            count += record.WaveFilePath == wave_file_path ? 1 : 0;
    }
    return count;
}

bool PendingRows::append(const ACallLogInfo& record) {
    if (!open_file()) return false;
    if (waiting_.empty() && unreadable_ == 0) {  // only stored rows are left
        if (!file_.truncate(0)) return false;
        end_ = 0;
    }
    const std::string line = kWaiting + encode_pending_row(record) + '\n';
    if (file_.write_at(end_, line.data(), line.size()) != static_cast<long long>(line.size())) return false;
    if (!file_.truncate(end_ + static_cast<std::int64_t>(line.size())) || !file_.flush()) return false;
    waiting_.push_back({end_, record});
    end_ += static_cast<std::int64_t>(line.size());
    return true;
}

bool PendingRows::mark_front_stored() {
    if (waiting_.empty() || !file_.is_open()) return false;
    if (file_.write_at(waiting_.front().mark_offset, &kStored, 1) != 1) return false;
    waiting_.pop_front();
    marks_written_ = true;
    return true;
}

bool PendingRows::flush() {
    if (!marks_written_) return true;
    // Lines that were no whole row stay for whoever wants to look at them.
    if (waiting_.empty() && unreadable_ == 0) {
        if (!file_.truncate(0)) return false;
        end_ = 0;
    }
    if (!file_.flush()) return false;
    marks_written_ = false;
    return true;
}

} // namespace calldb
