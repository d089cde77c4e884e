// The functions registered with atexit: destructors of the image's globals and function-local
// statics, which the compiler registers as it constructs them.
#pragma once

namespace msvc_runtime {

// Calls the registered functions, last registered first, and forgets them.
void RunExitFunctions();

}  // namespace msvc_runtime
