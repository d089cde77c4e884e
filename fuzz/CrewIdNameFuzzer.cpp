// A crew ID file name as the folder search gives it: the parser stays within the name and fills
// an entry whose texts fit their table columns.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "crew/CrewIdTable.h"

namespace {

void Require(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fileName(reinterpret_cast<const char*>(data), size);
    crew::IdEntry entry{};
    if (!crew::ParseIdFileName(fileName.c_str(), entry)) return 0;
    const std::size_t codeLength = strnlen(entry.code, sizeof entry.code);
    Require(codeLength >= 2 && codeLength <= 4);
    Require(std::strncmp(entry.mesh, "ummu/", 5) == 0);
    Require(strnlen(entry.mesh, sizeof entry.mesh) < sizeof entry.mesh);
    Require(strnlen(entry.function, sizeof entry.function) <= 24);
    return 0;
}
