// The integer list of the control set (tab stops and the like), shared with the portable model.
#pragma once
#include "controls/model/integer_list.h"
