// ecglyphs FOLDER: writes the button edit's glyph bitmaps (ecbtnedt_*.bmp) into FOLDER, the
// files controls/resources/ec_btn_edt.rc compiles into the programs.
#include <iostream>
#include <string>

#include "controls/model/button_edit_glyphs.h"
#include "platform/files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ecglyphs FOLDER\n";
        return 2;
    }
    for (int k = static_cast<int>(ec::TButtonKind::bkLookup); k <= static_cast<int>(ec::TButtonKind::bkSearch); ++k) {
        const auto kind = static_cast<ec::TButtonKind>(k);
        const std::vector<std::uint8_t> bytes = ec::encode_bmp8(ec::button_edit_glyph(kind));
        const std::string path = std::string(argv[1]) + "/" + ec::button_edit_glyph_file(kind);
        if (!plat::write_whole_file(path, std::string(bytes.begin(), bytes.end()))) {
            std::cerr << "cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
