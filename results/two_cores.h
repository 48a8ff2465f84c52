#pragma once

// A federation's race has tens of thousands of birds, each worked out, moved and written on its
// own; such a list is gone through in two halves at once, the second on a core of its own, where
// the machine has one. A club's race of a few hundred birds is gone through on one core: a
// thread costs about as much to start as a few dozen birds take to work out.

#include <cstddef>
#include <future>
#include <system_error>
#include <thread>

namespace results {

inline constexpr std::size_t kLongList = 2048;

// Calls work(begin, end) on both halves of [0, count), or once on the whole of a short list.
// Each call must touch only what lies in its own half.
template <class Work>
void InTwoHalves(std::size_t count, const Work& work) {
    const std::size_t half = count / 2;
    std::future<void> second;
    if (count >= kLongList && std::thread::hardware_concurrency() > 1) {
        try {
            second = std::async(std::launch::async, [&work, half, count] { work(half, count); });
        } catch (const std::system_error&) {
            // No thread to be had: this one goes through both halves.
        }
    }
    work(std::size_t{0}, second.valid() ? half : count);
    if (second.valid()) second.get();
}

}  // namespace results
