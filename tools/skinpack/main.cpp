#include <iostream>

#include "tools/skinpack/skinpack_command.h"

int main(int argc, char** argv) {
    return skinpack::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
