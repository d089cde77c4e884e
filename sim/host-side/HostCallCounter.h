// Calls into the host, counted by kind: the cost model of a module, since the simulator answers
// each host call at its own price, whatever the stand-in's costs. Every host function a module
// can call (the oapi* functions, the VESSEL members, the base callbacks that do the host's work,
// the library entry's InitLib and Date2Int) counts itself with CountHostCall once per call; what
// the host does inside it, and what the stand-in does on its own behalf, is not counted. The
// stand-in's built-in crew add-on class calls the host through the same functions as a module,
// as the add-on does in the simulator, so its calls are counted too.
//
// Each kind has one counter, a function-local static that joins a list of all counters on its
// first call: a call costs one guard check and one add, and never allocates. Counts are of the
// whole process (one simulator runs at a time) until reset.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

class HostCallCounter {
  public:
    // Joins the list of counters; `kind` must outlive the program (a literal).
    explicit HostCallCounter(const char* kind);
    HostCallCounter(const HostCallCounter&) = delete;
    HostCallCounter& operator=(const HostCallCounter&) = delete;

    void Add() { ++calls_; }

    const char* Kind() const { return kind_; }
    std::uint64_t Calls() const { return calls_; }

    // The list of every counter that has counted at least once since the program started.
    static const HostCallCounter* First();
    const HostCallCounter* Next() const { return next_; }
    static void ResetAll();

  private:
    const char* kind_;
    std::uint64_t calls_ = 0;
    HostCallCounter* next_;
};

// A kind's name as a template argument, so each kind gets its own counter.
template <std::size_t N>
struct HostCallKind {
    // Implicit: CountHostCall<"oapiGetVesselCount">() names the kind with a literal.
    constexpr HostCallKind(const char (&name)[N]) { std::copy_n(name, N, text); }
    char text[N];
};

template <HostCallKind kind>
inline void CountHostCall() {
    static HostCallCounter counter(kind.text);
    counter.Add();
}

// Counts of one moment: the total and every kind called at least once, in order of name.
struct HostCallCounts {
    struct Kind {
        std::string name;
        std::uint64_t calls;
    };
    std::uint64_t total = 0;
    std::vector<Kind> byKind;

    // Calls of the kind; 0 when it was not called.
    std::uint64_t Of(std::string_view kind) const;
};

HostCallCounts HostCallSnapshot();
// The total alone, without building a snapshot (and without allocating).
std::uint64_t HostCallTotal();

}  // namespace sim
