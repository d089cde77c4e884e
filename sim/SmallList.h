// A list that holds its first few elements in place, inside the object that owns it, and moves
// to heap storage when it grows beyond them; the heap storage is kept for later growth. For the
// short lists a frame or an arrival scan reads of every vessel (a thruster group's members, a
// vessel's attachments): reading them costs no reach into the heap.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

namespace sim {

template <class T, std::size_t N>
class SmallList {
  public:
    SmallList() = default;
    SmallList(const SmallList&) = delete;
    SmallList& operator=(const SmallList&) = delete;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const T* data() const { return onHeap_ ? heap_.get() : inPlace_; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + size_; }
    const T& operator[](std::size_t i) const { return data()[i]; }
    const T& front() const { return data()[0]; }
    const T& back() const { return data()[size_ - 1]; }

    // Empties the list; the heap storage stays for the next long list.
    void clear() {
        Release(Items(), Items() + size_);
        size_ = 0;
        onHeap_ = false;
    }

    void push_back(T item) {
        if (!onHeap_ && size_ < N) {
            inPlace_[size_++] = std::move(item);
            return;
        }
        if (size_ >= heapCapacity_) {  // no room for one more on the heap
            const auto capacity = std::max<std::uint32_t>(2 * size_, 2 * N);
            auto grown = std::make_unique<T[]>(capacity);
            std::move(Items(), Items() + size_, grown.get());
            heap_ = std::move(grown);
            heapCapacity_ = capacity;
        } else if (!onHeap_) {
            std::move(inPlace_, inPlace_ + size_, heap_.get());
        }
        onHeap_ = true;
        heap_[size_++] = std::move(item);
    }

    // Removes the elements for which `doomed` is true, keeping the order of the others.
    template <class Predicate>
    void EraseIf(Predicate doomed) {
        T* const first = Items();
        T* const kept = std::remove_if(first, first + size_, doomed);
        Release(kept, first + size_);
        size_ = static_cast<std::uint32_t>(kept - first);
    }

  private:
    T* Items() { return onHeap_ ? heap_.get() : inPlace_; }
    // Elements that leave the list let go of what they own at once.
    static void Release(T* first, T* last) {
        for (; first != last; ++first) *first = T{};
    }

    T inPlace_[N]{};
    std::unique_ptr<T[]> heap_;
    // Counts of 32 bits keep a short list of pointers, and a flag beside it, in one cache line.
    std::uint32_t heapCapacity_ = 0;
    std::uint32_t size_ = 0;
    bool onHeap_ = false;
};

}  // namespace sim
