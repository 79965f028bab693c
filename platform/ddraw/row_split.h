// Work over the rows of a frame shared between the calling thread and one helper
// thread: the caller takes the top rows, the helper the bottom ones, and the call
// returns when both are done. Converting a frame for the host window is bound by memory
// rather than arithmetic, and two processors keep twice as many of its accesses in
// flight. Internal to the platform layer.
#pragma once

namespace vorn::platform {

// Does work(context, begin, end) for the rows [0, rows): split in two when the machine
// has a second processor and there are enough rows to be worth waking it, else all on
// the calling thread. `work` must not throw and may run on either thread, so it may
// only touch what the caller does not touch meanwhile (its own rows). Allocates nothing
// once the helper is started (on first use). Called from one thread at a time.
using RowWork = void (*)(void* context, int begin, int end);
void SplitRows(int rows, RowWork work, void* context);

// The same with a callable taking (begin, end).
template <typename Work>
void SplitRows(int rows, Work& work) {
    SplitRows(
        rows, [](void* context, int begin, int end) { (*static_cast<Work*>(context))(begin, end); },
        &work);
}

}  // namespace vorn::platform
