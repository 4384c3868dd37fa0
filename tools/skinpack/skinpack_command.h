// The skin packer's command line: pack a skin folder into stored skin bytes, list the members
// of stored bytes, unpack them into a folder.
#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace skinpack {

// `args` without the program name. Listings go to `out`; a fault is one line on `err`.
// Returns the exit status: 0, or 1 on any fault.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace skinpack
