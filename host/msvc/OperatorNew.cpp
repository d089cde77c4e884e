// The global allocation functions over ucrtbase's malloc and free. MSVC's runtime library would
// supply them; libc++ has no library build for Windows. Exceptions are off, so an allocation
// that cannot be met ends the process instead of throwing. Over-aligned types (and libc++'s
// allocator, which can ask for them) get _aligned_malloc's blocks, which only _aligned_free frees.
#include <malloc.h>

#include <cstddef>
#include <cstdlib>
#include <new>

// std::nothrow, which the nothrow forms of new take; libc++ only declares it.
namespace std {
const nothrow_t nothrow{};
}  // namespace std

namespace {

void* Allocate(std::size_t size) noexcept { return std::malloc(size == 0 ? 1 : size); }

void* AllocateOrAbort(std::size_t size) noexcept {
    void* memory = Allocate(size);
    if (memory == nullptr) std::abort();
    return memory;
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) noexcept {
    return _aligned_malloc(size == 0 ? 1 : size, static_cast<std::size_t>(alignment));
}

void* AllocateAlignedOrAbort(std::size_t size, std::align_val_t alignment) noexcept {
    void* memory = AllocateAligned(size, alignment);
    if (memory == nullptr) std::abort();
    return memory;
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrAbort(size); }
void* operator new[](std::size_t size) { return AllocateOrAbort(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

void* operator new(std::size_t size, std::align_val_t alignment) {
    return AllocateAlignedOrAbort(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return AllocateAlignedOrAbort(size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}

void operator delete(void* memory, std::align_val_t) noexcept { _aligned_free(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { _aligned_free(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    _aligned_free(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    _aligned_free(memory);
}
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    _aligned_free(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    _aligned_free(memory);
}
