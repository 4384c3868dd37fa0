// Makes the control set's classes creatable from window descriptions.
#pragma once

namespace ec {

void register_control_set_classes();

} // namespace ec
