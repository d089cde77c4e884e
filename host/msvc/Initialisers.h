// The C++ initialisers of the image's globals, which MSVC's runtime would run at start-up.
#pragma once

namespace msvc_runtime {

// Runs every initialiser the compiler registered for this image, in link order.
void RunInitialisers();

}  // namespace msvc_runtime
