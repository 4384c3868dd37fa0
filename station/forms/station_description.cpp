#include "station/forms/station_description.h"

#include "controls/register_control_set.h"
#include "platform/ui/description_reader.h"

namespace forms {

void LoadStationForm(ui::Form& form, const wchar_t* resource) {
    static const bool registered = [] {
        ui::register_control_classes();
        ec::register_control_set_classes();
        return true;
    }();
    (void)registered;
    form.load_resource(resource);
}

void MissingPart(const ui::Component& root, const char* name) {
    throw ui::DescriptionError("window '" + root.name() + "': component '" + name +
                               "' is missing from its description or of another class");
}

} // namespace forms
