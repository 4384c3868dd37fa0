// The condition panel's limits.
#pragma once

namespace station {

// The spin edits of the durations and ring counts run 0..36000.
constexpr int kConditionSpinMax = 36000;
int ClampConditionValue(int value);

} // namespace station
