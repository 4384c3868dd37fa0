// The lines a new skin component names the controls of other libraries with: a class name,
// "=" and the kind of skin it gets. The first line naming a class decides its kind, so the
// order of two lines for one class matters.
#pragma once
#include <string>
#include <vector>

namespace skin {

const std::vector<std::string>& DefaultSkin3rd();

} // namespace skin
