#include "sim/host-side/HostCallCounter.h"

namespace sim {
namespace {

// Constant-initialised, so a counter made before any other static (or during another library's
// start-up) finds the list ready.
constinit HostCallCounter* first = nullptr;

}  // namespace

HostCallCounter::HostCallCounter(const char* kind) : kind_(kind), next_(first) { first = this; }

const HostCallCounter* HostCallCounter::First() { return first; }

void HostCallCounter::ResetAll() {
    for (HostCallCounter* counter = first; counter != nullptr; counter = counter->next_) {
        counter->calls_ = 0;
    }
}

std::uint64_t HostCallCounts::Of(std::string_view kind) const {
    for (const Kind& entry : byKind) {
        if (entry.name == kind) return entry.calls;
    }
    return 0;
}

HostCallCounts HostCallSnapshot() {
    HostCallCounts counts;
    for (const HostCallCounter* counter = HostCallCounter::First(); counter != nullptr;
         counter = counter->Next()) {
        if (counter->Calls() == 0) continue;
        counts.total += counter->Calls();
        counts.byKind.push_back({counter->Kind(), counter->Calls()});
    }
    std::sort(counts.byKind.begin(), counts.byKind.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    return counts;
}

std::uint64_t HostCallTotal() {
    std::uint64_t total = 0;
    for (const HostCallCounter* counter = HostCallCounter::First(); counter != nullptr;
         counter = counter->Next()) {
        total += counter->Calls();
    }
    return total;
}

}  // namespace sim
