// The picture decoder compiled here from the same header the system's
// library is built from, so that the fuzzer sees its branches and the
// sanitizers its memory.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
