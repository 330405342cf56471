#include "platform/JoystickWatch.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

std::unique_ptr<JoystickWatch> JoystickWatch::start(const std::string& mappingsPath) {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return nullptr;
    // The pads are polled, so of SDL's joystick and controller events only
    // the arrivals and departures are kept, for takeChanges.
    SDL_JoystickEventState(SDL_IGNORE);
    SDL_GameControllerEventState(SDL_IGNORE);
    SDL_EventState(SDL_JOYDEVICEADDED, SDL_ENABLE);
    SDL_EventState(SDL_JOYDEVICEREMOVED, SDL_ENABLE);

    std::error_code ignored;
    if (std::filesystem::exists(mappingsPath, ignored) &&
        SDL_GameControllerAddMappingsFromFile(mappingsPath.c_str()) < 0) {
        std::fprintf(stderr, "korvandeltix: the pad mappings in %s cannot be read (%s)\n", mappingsPath.c_str(),
                     SDL_GetError());
    }
    return std::unique_ptr<JoystickWatch>(new JoystickWatch);
}

JoystickWatch::~JoystickWatch() {
    // Nothing takes them any more.
    SDL_EventState(SDL_JOYDEVICEADDED, SDL_IGNORE);
    SDL_EventState(SDL_JOYDEVICEREMOVED, SDL_IGNORE);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

std::vector<int> JoystickWatch::attached() {
    std::vector<int> ids;
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        ids.push_back(id);
        if (std::find(known.begin(), known.end(), id) == known.end()) known.push_back(id);
    }
    return ids;
}

std::vector<JoystickWatch::Change> JoystickWatch::takeChanges() {
    // SDL looks for new and lost pads as it brings its joysticks up to date.
    SDL_JoystickUpdate();
    std::vector<Change> changes;
    bool arrivals = false;
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_JOYDEVICEADDED, SDL_JOYDEVICEREMOVED) > 0) {
        if (event.type == SDL_JOYDEVICEADDED) {
            arrivals = true;
            continue;
        }
        const auto gone = std::find(known.begin(), known.end(), event.jdevice.which);
        if (gone != known.end()) {
            known.erase(gone);
            changes.push_back({false, event.jdevice.which});
        }
    }
    // An arrival names the pad by its place in SDL's list, which later
    // departures shift; the pads not seen before are the new ones, in the
    // list's order of arrival.
    if (arrivals) {
        const std::size_t before = known.size();
        attached();
        for (std::size_t i = before; i < known.size(); ++i) changes.push_back({true, known[i]});
    }
    return changes;
}
