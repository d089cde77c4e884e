// Every object that uses floating point refers to _fltused; MSVC's runtime defines it so that
// the linker pulls in its floating-point support. ucrtbase needs no such support, only the name.
extern "C" {
int _fltused = 0;
}
