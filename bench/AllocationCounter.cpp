#include "bench/AllocationCounter.h"

#include <link.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string>

namespace bench {
namespace {

std::atomic<bool> counting{false};
std::atomic<std::uint64_t> moduleCount{0};
std::atomic<std::uint64_t> hostCount{0};
std::uintptr_t moduleBegin = 0;
std::uintptr_t moduleEnd = 0;

struct Search {
    std::string file;
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
};

int FindSegments(dl_phdr_info* info, std::size_t, void* data) {
    auto* search = static_cast<Search*>(data);
    if (info->dlpi_name == nullptr || search->file != info->dlpi_name) return 0;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD || (segment.p_flags & PF_X) == 0) continue;
        search->begin = info->dlpi_addr + segment.p_vaddr;
        search->end = search->begin + segment.p_memsz;
    }
    return 1;
}

void Count(const void* caller) {
    if (!counting.load(std::memory_order_relaxed)) return;
    const auto address = reinterpret_cast<std::uintptr_t>(caller);
    if (address >= moduleBegin && address < moduleEnd) {
        moduleCount.fetch_add(1, std::memory_order_relaxed);
    } else {
        hostCount.fetch_add(1, std::memory_order_relaxed);
    }
}

[[maybe_unused]] void* Allocate(std::size_t size, const void* caller) {
    Count(caller);
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

}  // namespace

void AttributeToModule(const std::filesystem::path& library) {
    if (library.empty()) {
        moduleBegin = 0;
        moduleEnd = 0;
        return;
    }
    Search search{std::filesystem::absolute(library).string()};
    dl_iterate_phdr(FindSegments, &search);
    if (search.begin == search.end) {
        throw std::runtime_error("the module " + search.file + " is not loaded");
    }
    moduleBegin = search.begin;
    moduleEnd = search.end;
}

void StartCountingAllocations() {
    moduleCount = 0;
    hostCount = 0;
    counting = true;
}

AllocationCounts StopCountingAllocations() {
    counting = false;
    return {moduleCount.load(), hostCount.load()};
}

}  // namespace bench

#ifndef QM_NO_ALLOCATION_COUNT
// The caller of operator new is the code that allocates: the module's when the allocation is
// made by code compiled into it (inline standard library code included).
void* operator new(std::size_t size) { return bench::Allocate(size, __builtin_return_address(0)); }
void* operator new[](std::size_t size) {
    return bench::Allocate(size, __builtin_return_address(0));
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
#endif
