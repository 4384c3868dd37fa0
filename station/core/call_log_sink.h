// Where the transfer engine's call rows go. Store hands a batch of rows over and returns at
// once; each batch's results come back later, batches in the order they were handed over.
#pragma once
#include <vector>

#include "station/core/call_log_info.h"

namespace station {

class ICallLogSink {
public:
    virtual ~ICallLogSink() = default;
    virtual void Store(std::vector<ACallLogInfo> rows) = 0;
    // The results of the batches stored since the last call, oldest first; never waits. One
    // result per row, in its batch's order: 0 stored (or kept to be stored), -1 neither. A
    // batch with fewer results than rows failed for the rest.
    virtual std::vector<std::vector<int>> TakeResults() = 0;
    // Waits until every batch handed over is stored and its results can be taken.
    virtual void Drain() = 0;
};

} // namespace station
