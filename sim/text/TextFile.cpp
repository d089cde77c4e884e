#include "sim/text/TextFile.h"

#include <fstream>
#include <sstream>

#include "sim/text/InputError.h"

namespace sim {

std::string ReadTextFile(const std::filesystem::path& file, std::string_view kind) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw InputError(file.string() + ": cannot open the " + std::string(kind) + " file");
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace sim
