#include "platform/Memory.h"

#include <malloc.h>

namespace {

// Above this size a block is mapped on its own. Setting it also stops the
// C library from raising it after each large free, which is what kept the
// freed pictures in the heap.
constexpr int OWN_PAGES_FROM_BYTES = 1 << 20;
// Fixing the threshold above also fixes the trim threshold at its small
// default, and the OpenGL driver's per-frame buffers of a few hundred
// kilobytes then hand the top of the heap back and take it again every
// frame: a system call and a flush of every core's page tables each time.
// That much free heap may stay.
constexpr int KEEP_FREE_HEAP_BYTES = 16 << 20;

}  // namespace

void returnLargeBuffersToTheSystem() {
    mallopt(M_MMAP_THRESHOLD, OWN_PAGES_FROM_BYTES);
    mallopt(M_TRIM_THRESHOLD, KEEP_FREE_HEAP_BYTES);
}
