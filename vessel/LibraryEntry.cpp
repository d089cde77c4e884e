#include "host/Platform.h"
namespace library_entry {
void OnProcessAttach(HINSTANCE) {}
void OnProcessDetach(HINSTANCE) {}
}  // namespace library_entry
