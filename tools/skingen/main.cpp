// skingen default|contrast FOLDER SKINFILE: draws one of our skins into FOLDER and packs it
// into SKINFILE.
// skingen resources FOLDER: writes the skin engine's bitmap resources of the programs and the
// resource script that names them (skin/resources is a run of it).
#include <iostream>
#include <string_view>

#include "platform/files.h"
#include "tools/skingen/program_resources.h"
#include "tools/skingen/skin_generator.h"

int main(int argc, char** argv) {
    const std::string_view which = argc >= 2 ? argv[1] : "";
    if (which == "resources" && argc == 3) {
        skin_test::WriteSkinFolder(argv[2], skingen::ProgramResources());
        return 0;
    }
    if ((which != "default" && which != "contrast") || argc != 4) {
        std::cerr << "usage: skingen default|contrast FOLDER SKINFILE\n       skingen resources FOLDER\n";
        return 2;
    }
    const skingen::SkinLook look = which == "default" ? skingen::DefaultLook() : skingen::ContrastingLook();
    const skin::PackResult packed = skingen::GenerateAndPack(look, argv[2]);
    if (!packed.ok()) {
        std::cerr << packed.error << '\n';
        return 1;
    }
    if (!plat::write_whole_file(argv[3], std::string(packed.stored.begin(), packed.stored.end()))) {
        std::cerr << "cannot write " << argv[3] << '\n';
        return 1;
    }
    return 0;
}
