// libFuzzer target (clang trees with VQ_SKIN_FUZZ): `skin_fuzz CORPUS_DIR`.
#include "tests/skin/fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    skin_test::FuzzStoredSkin(data, size);
    return 0;
}
