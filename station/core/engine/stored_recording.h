// The call record a recording carries inside it, read from the stored file: the station uses it
// when a recording is on disk but its row was never stored (the station stopped after the
// library finished the file and before the row went into the database).
#pragma once
#include <string>

#include "tarnlink/tarnlink.h"

namespace station {

// Decodes the embedded record of the recording at `path`; false when the file cannot be read
// or its record fails the checks.
bool ReadEmbeddedCallInfo(const std::string& path, ftp_callinfo& info);

} // namespace station
