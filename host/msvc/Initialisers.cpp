// The compiler puts a pointer to each translation unit's initialiser function (constructors of
// globals, dynamic initial values) in a section named .CRT$XCU. The linker sorts the .CRT$XC*
// sections by the name after the '$', so the two markers below, in .CRT$XCA and .CRT$XCZ, bound
// every such pointer of the image. MSVC's runtime walks the same table; without it, nobody would.
#include "host/msvc/Initialisers.h"

namespace {

using Initialiser = void (*)();

// Read-only, as the compiler's own entries are: sections of one name merge only when their
// attributes agree.
[[gnu::section(".CRT$XCA"), gnu::used]] const Initialiser tableStart = nullptr;
[[gnu::section(".CRT$XCZ"), gnu::used]] const Initialiser tableEnd = nullptr;

}  // namespace

namespace msvc_runtime {

void RunInitialisers() {
    const Initialiser* entry = &tableStart + 1;
    const Initialiser* end = &tableEnd;
    // The two markers are separate objects to the compiler; hide where the walk starts so it
    // cannot reason the loop away.
    __asm__ volatile("" : "+r"(entry));
    for (; entry < end; ++entry) {
        // The linker may pad between sections with zeros.
        if (*entry != nullptr) (*entry)();
    }
}

}  // namespace msvc_runtime
