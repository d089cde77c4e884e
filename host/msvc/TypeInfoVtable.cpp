// The virtual table of MSVC's type_info. Every polymorphic class's run-time type descriptor
// points at it (the compiler names it ??_7type_info@@6B@), so any module with a virtual function
// refers to it; MSVC's runtime defines it. Its one slot, the deleting destructor, is never called:
// type descriptors are static data that nobody deletes.
namespace {

void TypeInfoDeletingDestructor() {}

}  // namespace

extern "C" void (*const typeInfoVtable[])() __asm__("??_7type_info@@6B@");
void (*const typeInfoVtable[])() = {&TypeInfoDeletingDestructor};
