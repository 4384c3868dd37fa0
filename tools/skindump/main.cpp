// skindump SKINFILE: the loaded skin's listing on standard output; the load fault and exit
// code 1 when it does not load.
#include <iostream>

#include "platform/files.h"
#include "platform/text_gbk.h"
#include "skin/skin_dump.h"
#include "skin/skin_parse.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: skindump SKINFILE\n";
        return 2;
    }
#ifdef _WIN32
    const std::string path = argv[1];  // the ANSI code page is GBK already
#else
    const std::string path = plat::utf8_to_gbk(argv[1]);  // paths reach the file seam as GBK
#endif
    std::string stored;
    if (!plat::read_whole_file(path, stored)) {
        std::cerr << "cannot read " << argv[1] << '\n';
        return 1;
    }
    const skin::SkinLoadResult loaded =
        skin::LoadSkinDescription(reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size(), skin::PortableSkinSystem());
    if (!loaded.skin) {
        std::cerr << loaded.error << '\n';
        return 1;
    }
    std::cout << skin::DumpSkin(*loaded.skin);
    return 0;
}
