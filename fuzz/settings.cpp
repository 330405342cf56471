// Settings files: any bytes are read without fault. A save either fails and
// leaves the file byte for byte as it was, or makes the saved key read back
// as saved while every other key reads as before; saving the same value
// again changes nothing.
#include "FuzzInput.h"
#include "platform/Profile.h"

#include <strings.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

constexpr std::size_t BUFFER_SIZE = 1 << 16;
const char* const ABSENT = "\x01" "absent";

struct Name {
    const char* section;
    const char* key;
};
// The game's own keys, the same in other letter cases, and keys elsewhere.
constexpr Name PROBES[] = {{"Screen", "width"},  {"Screen", "height"}, {"Screen", "fullscreen"},
                           {"Screen", "multisample"}, {"SCREEN", "Width"}, {"Other", "key"},
                           {"Fuzz", "added"},    {"", "width"}};
struct Save {
    Name name;
    const char* value;
};
// A key that may stand in the file, and one in a section of its own.
constexpr Save SAVES[] = {{{"Screen", "width"}, "1234"}, {{"Fuzz", "added"}, "yes"}};

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::string read(const Name& name, const std::string& path) {
    return getProfileString(name.section, name.key, ABSENT, BUFFER_SIZE, path);
}

bool same(const Name& a, const Name& b) {
    return strcasecmp(a.section, b.section) == 0 && strcasecmp(a.key, b.key) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = writeInput(data, size);
    for (const Save& save : SAVES) {
        std::string before[std::size(PROBES)];
        for (std::size_t i = 0; i < std::size(PROBES); ++i) before[i] = read(PROBES[i], path);
        const std::string bytes = contents(path);
        if (!writeProfileString(save.name.section, save.name.key, save.value, path)) {
            if (contents(path) != bytes) std::abort();
            continue;
        }
        for (std::size_t i = 0; i < std::size(PROBES); ++i)
            if (read(PROBES[i], path) != (same(PROBES[i], save.name) ? save.value : before[i])) std::abort();
        const std::string saved = contents(path);
        if (!writeProfileString(save.name.section, save.name.key, save.value, path) || contents(path) != saved)
            std::abort();
    }
    return 0;
}
