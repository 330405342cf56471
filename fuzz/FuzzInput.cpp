#include "FuzzInput.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

const std::string& writeInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/korv-fuzz-" + std::to_string(getpid());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) std::abort();
    return path;
}
