// Sound files: any bytes give a filled OpenAL buffer or 0, on OpenAL Soft's
// silent output.
#include "FuzzInput.h"
#include "audio/SoundFile.h"

#include <al.h>
#include <alc.h>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("ALSOFT_DRIVERS", "null", 1);
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr || !alcMakeContextCurrent(alcCreateContext(device, nullptr))) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ALuint buffer = loadSoundFile(writeInput(data, size));
    if (buffer != 0) {
        ALint bytes = 0;
        alGetBufferi(buffer, AL_SIZE, &bytes);
        if (bytes <= 0) std::abort();
        alDeleteBuffers(1, &buffer);
    }
    return 0;
}
