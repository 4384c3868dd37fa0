#include <iostream>

#include "platform/text_gbk.h"
#include "tools/skinpack/skinpack_command.h"

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
#ifdef _WIN32
        args.emplace_back(argv[i]);  // the ANSI code page is GBK already
#else
        args.push_back(plat::utf8_to_gbk(argv[i]));  // paths reach the file seam as GBK
#endif
    }
    return skinpack::Run(args, std::cout, std::cerr);
}
