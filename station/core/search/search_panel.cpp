#include "station/core/search/search_panel.h"

#include <algorithm>

namespace station {

int ClampConditionValue(int value) { return std::clamp(value, 0, kConditionSpinMax); }

} // namespace station
