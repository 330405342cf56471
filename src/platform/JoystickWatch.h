#pragma once

#include <memory>
#include <string>
#include <vector>

// SDL's joysticks, started for as long as this lives: pads are read through
// SDL's game-controller mappings, and SDL's notes of pads plugged in and
// unplugged wait in its queue until they are taken here.
class JoystickWatch {
public:
    // A pad plugged in or unplugged, by SDL's instance id, which names one
    // pad for as long as it stays plugged in.
    struct Change {
        bool plugged = false;
        int id = 0;
    };

    // The mappings come from SDL's own database, SDL_GAMECONTROLLERCONFIG
    // (which wins), and the community-format file at mappingsPath when there
    // is one. Null when SDL's joysticks cannot start.
    static std::unique_ptr<JoystickWatch> start(const std::string& mappingsPath);
    ~JoystickWatch();
    JoystickWatch(const JoystickWatch&) = delete;
    JoystickWatch& operator=(const JoystickWatch&) = delete;

    // The pads plugged in now, in the system's order; takeChanges does not
    // report them again.
    std::vector<int> attached();
    // The pads unplugged since the last look, then those plugged in, in
    // order of arrival.
    std::vector<Change> takeChanges();

private:
    JoystickWatch() = default;

    // Every pad reported plugged in and not yet unplugged.
    std::vector<int> known;
};
