// libFuzzer targets (clang trees with VQ_SKIN_FUZZ): `skin_fuzz CORPUS_DIR` takes stored skins;
// with SKIN_FUZZ_DESCRIPTION set in the environment it takes descriptions with their pictures.
#include <cstdlib>

#include "tests/skin/fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool description = std::getenv("SKIN_FUZZ_DESCRIPTION") != nullptr;
    if (description) skin_test::FuzzSkinDescription(data, size);
    else skin_test::FuzzStoredSkin(data, size);
    return 0;
}
