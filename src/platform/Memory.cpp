#include "platform/Memory.h"

#include <malloc.h>

namespace {

// Above this size a block is mapped on its own. Setting it also stops the
// C library from raising it after each large free, which is what kept the
// freed pictures in the heap.
constexpr int OWN_PAGES_FROM_BYTES = 1 << 20;

}  // namespace

void returnLargeBuffersToTheSystem() { mallopt(M_MMAP_THRESHOLD, OWN_PAGES_FROM_BYTES); }
