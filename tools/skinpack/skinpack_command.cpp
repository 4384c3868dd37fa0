#include "tools/skinpack/skinpack_command.h"

#include "platform/files.h"
#include "skin/skin_archive.h"
#include "skin/skin_packer.h"

namespace skinpack {
namespace {

const char kUsage[] = "usage: skinpack pack OUT DIR | list FILE | unpack FILE DIR";

bool ReadStored(const std::string& path, std::vector<std::uint8_t>& stored, std::ostream& err) {
    std::string contents;
    if (!plat::read_whole_file(path, contents)) {
        err << "cannot read " << path << "\n";
        return false;
    }
    stored.assign(contents.begin(), contents.end());
    return true;
}

int Pack(const std::string& out_path, const std::string& folder, std::ostream& err) {
    const skin::PackResult packed = skin::PackSkinFolder(folder);
    if (!packed.ok()) {
        err << packed.error << "\n";
        return 1;
    }
    if (!plat::write_whole_file(out_path, std::string(packed.stored.begin(), packed.stored.end()))) {
        err << "cannot write " << out_path << "\n";
        return 1;
    }
    return 0;
}

int List(const std::string& path, std::ostream& out, std::ostream& err) {
    std::vector<std::uint8_t> stored;
    if (!ReadStored(path, stored, err)) return 1;
    skin::TSkinReader reader;
    const auto loaded = reader.LoadArchive(stored);
    if (!loaded.ok()) {
        err << loaded.error << "\n";
        return 1;
    }
    for (std::size_t i = 0; i < reader.Names().size(); ++i) out << reader.Names()[i] << "\t" << reader.Size(i) << "\n";
    return 0;
}

int Unpack(const std::string& path, const std::string& folder, std::ostream& err) {
    std::vector<std::uint8_t> stored;
    if (!ReadStored(path, stored, err)) return 1;
    const std::string fault = skin::UnpackSkin(stored, folder);
    if (!fault.empty()) {
        err << fault << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2], err);
    if (args.size() == 2 && args[0] == "list") return List(args[1], out, err);
    if (args.size() == 3 && args[0] == "unpack") return Unpack(args[1], args[2], err);
    err << kUsage << "\n";
    return 1;
}

} // namespace skinpack
