// The thrusters of a group, in order. Most groups have a few (an attitude group two or four);
// those are held in place, inside the vessel's record, so a group that a vessel restores in
// every step is checked without a reach into the heap. A longer list moves to heap storage,
// which the group keeps for the lists that replace it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace sim {

struct Thruster;

class ThrusterList {
  public:
    static constexpr std::size_t kHeldInPlace = 4;

    ThrusterList() = default;
    ThrusterList(const ThrusterList&) = delete;
    ThrusterList& operator=(const ThrusterList&) = delete;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    Thruster* const* begin() const { return Items(); }
    Thruster* const* end() const { return Items() + size_; }
    Thruster* front() const { return Items()[0]; }
    Thruster* operator[](std::size_t i) const { return Items()[i]; }

    void clear() {
        size_ = 0;
        onHeap_ = false;
    }

    void push_back(Thruster* thruster) {
        if (!onHeap_ && size_ < kHeldInPlace) {
            inPlace_[size_++] = thruster;
            return;
        }
        if (size_ >= heapCapacity_) {  // no room for one more on the heap
            const std::uint32_t capacity = std::max<std::uint32_t>(2 * size_, 2 * kHeldInPlace);
            auto grown = std::make_unique<Thruster*[]>(capacity);
            std::copy(begin(), end(), grown.get());
            heap_ = std::move(grown);
            heapCapacity_ = capacity;
        } else if (!onHeap_) {
            std::copy(begin(), end(), heap_.get());
        }
        onHeap_ = true;
        heap_[size_++] = thruster;
    }

    // Removes the thrusters for which `doomed` is true, keeping the order of the others.
    template <class Predicate>
    void EraseIf(Predicate doomed) {
        Thruster** items = onHeap_ ? heap_.get() : inPlace_;
        size_ = static_cast<std::uint32_t>(std::remove_if(items, items + size_, doomed) - items);
    }

  private:
    Thruster* const* Items() const { return onHeap_ ? heap_.get() : inPlace_; }

    Thruster* inPlace_[kHeldInPlace]{};
    std::unique_ptr<Thruster*[]> heap_;
    // Counts of 32 bits keep the list, with its group's flag, within one cache line.
    std::uint32_t heapCapacity_ = 0;
    std::uint32_t size_ = 0;
    bool onHeap_ = false;
};

}  // namespace sim
