// Writes every sound effect and piece of music of the game into the run
// folder given as the only argument.

#include "Music.h"
#include "SoundEffects.h"
#include "WavWriter.h"

#include <exception>
#include <filesystem>
#include <future>
#include <iostream>
#include <vector>

namespace {

struct Output {
    const char* path;
    AudioBuffer (*make)();
};

constexpr Output OUTPUTS[] = {
    {"Sounds/bound.wav", soundEffects::bound},
    {"Sounds/goal.wav", soundEffects::goal},
    {"Sounds/lame.wav", soundEffects::lame},
    {"Sounds/engage.wav", soundEffects::engage},
    {"Sounds/throw.wav", soundEffects::throwDisc},
    {"Sounds/move.wav", soundEffects::move},
    {"Sounds/straf.wav", soundEffects::straf},
    {"Sounds/getFrisbee.wav", soundEffects::getFrisbee},
    {"Sounds/beep.wav", soundEffects::beep},
    {"Sounds/beep2.wav", soundEffects::beep2},
    {"Musics/musicIntro.wav", music::intro},
    {"Musics/musicMenu.wav", music::menu},
    {"Musics/musicGame.wav", music::game},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: korv_gen_sounds <run folder>\n";
        return 2;
    }
    const std::filesystem::path root = argv[1];
    try {
        // Every file is made on its own thread; each depends only on its own
        // seeds, so the bytes do not depend on the scheduling.
        std::vector<std::future<AudioBuffer>> made;
        for (const Output& output : OUTPUTS) {
            std::filesystem::create_directories((root / output.path).parent_path());
            made.push_back(std::async(std::launch::async, output.make));
        }
        for (std::size_t i = 0; i < made.size(); ++i) {
            const std::filesystem::path path = root / OUTPUTS[i].path;
            if (!writeWav(path, made[i].get())) {
                std::cerr << "korv_gen_sounds: cannot write " << path << '\n';
                return 1;
            }
        }
    } catch (const std::exception& error) {
        std::cerr << "korv_gen_sounds: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
