// atexit for this image alone. The compiler registers every global destructor with atexit.
// ucrtbase's process-wide list would run a DLL's destructors at process exit, after the DLL is
// gone; like MSVC's runtime, each image keeps its own list and runs it when it is unloaded (a DLL)
// or before it exits (a program).
#include "host/msvc/ExitFunctions.h"

#include <cstddef>
#include <cstdlib>

namespace {

using ExitFunction = void(__cdecl*)();

ExitFunction* functions = nullptr;
std::size_t count = 0;
std::size_t capacity = 0;

}  // namespace

extern "C" int __cdecl atexit(ExitFunction function) {
    if (function == nullptr) return -1;
    if (count == capacity) {
        const std::size_t grown = capacity == 0 ? 16 : capacity * 2;
        void* table = std::realloc(functions, grown * sizeof(ExitFunction));
        if (table == nullptr) return -1;
        functions = static_cast<ExitFunction*>(table);
        capacity = grown;
    }
    functions[count++] = function;
    return 0;
}

namespace msvc_runtime {

void RunExitFunctions() {
    // A function may register another while the list runs; it runs next.
    while (count > 0) {
        const ExitFunction function = functions[--count];
        function();
    }
    std::free(functions);
    functions = nullptr;
    capacity = 0;
}

}  // namespace msvc_runtime
