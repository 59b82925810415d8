#pragma once
// A bounded lock-free queue from one producer thread (the main thread) to one
// consumer thread (the audio callback). The producer may hold back what it
// pushed and publish it later in one step, so the consumer sees a group of
// items all at once or not at all.
#include <array>
#include <atomic>
#include <cstddef>

namespace platform {

template <typename T, std::size_t Capacity> class CommandQueue {
    static_assert((Capacity & (Capacity - 1)) == 0, "capacity must be a power of two");

public:
    // Producer thread only. Stores the item, unseen by the consumer until
    // publish(). False, storing nothing, when the queue is full.
    bool push(const T& item)
    {
        if (written_ - head_.load(std::memory_order_acquire) == Capacity)
            return false;
        items_[written_ & (Capacity - 1)] = item;
        ++written_;
        return true;
    }

    // Producer thread only. Makes every item pushed so far visible at once.
    void publish() { tail_.store(written_, std::memory_order_release); }

    // Consumer thread only. Hands every published item to f, oldest first.
    template <typename F> void drain(F&& f)
    {
        const std::size_t tail = tail_.load(std::memory_order_acquire);
        std::size_t head = head_.load(std::memory_order_relaxed);
        for (; head != tail; ++head)
            f(items_[head & (Capacity - 1)]);
        head_.store(head, std::memory_order_release);
    }

    // Producer thread only. Items pushed since the queue was made.
    std::size_t written() const { return written_; }
    // Any thread. Items the consumer has taken and finished with: once this
    // reaches written() as read before, the consumer holds none of those.
    std::size_t consumed() const { return head_.load(std::memory_order_acquire); }

private:
    std::array<T, Capacity> items_{};
    alignas(64) std::atomic<std::size_t> head_{0}; // next item the consumer takes
    alignas(64) std::atomic<std::size_t> tail_{0}; // end of what the consumer may take
    std::size_t written_ = 0;                      // end of what the producer stored
};

} // namespace platform
