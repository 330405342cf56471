#pragma once

#include "input/ControlState.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// What drives each player's six controls, keys or pad buttons, as one
// section of the settings file gives them: an entry per control (p1Up ...
// p2Action2) naming one or more of them, separated by commas, or none at
// all. The game writes an entry only once the player has changed that
// control, so that the rest of the file stays as the player left it.
class ControlBindings {
public:
    // Key or pad button numbers, by the device's own numbering.
    using Codes = std::vector<int>;

    virtual ~ControlBindings() = default;

    // Each entry whose names all name something replaces that control's
    // codes; any other is reported in one line on the standard error stream
    // and its control keeps its default.
    void read(const std::string& settingsPath);

    // By index in InputManager::controls, players' controls only.
    const Codes& codes(int control) const { return codes_[control]; }
    // Gives the control this code alone; any other control that had it
    // loses it, so that nothing drives two controls. Gives the controls that
    // lost it.
    std::vector<int> bind(int control, int code);
    void restoreDefaults();
    // Writes the entries of the controls bound or restored since the last
    // save whose codes now differ from the file's. False, with the reason,
    // when the file cannot be written; what was not written is tried again
    // at the next save.
    bool save(const std::string& settingsPath, std::string& failure);
    // The codes' names, separated by commas, as the entry holds them.
    std::string names(int control) const;

protected:
    // The defaults by player (from 1) and control kind. Pad buttons move
    // only among one player's controls, each player having a pad of their
    // own; keys among both players', who share the keyboard.
    ControlBindings(const char* section, const char* what, bool movesWithinPlayer,
                    const Codes (&defaults)[PLAYER_COUNT][CONTROL_KIND_COUNT]);

    virtual std::optional<int> codeNamed(const std::string& name) const = 0;
    virtual std::string nameOf(int code) const = 0;

private:
    static std::string entryName(int control);
    std::optional<Codes> parse(const std::string& list, std::string& unknown) const;

    const char* section_;
    const char* what_;
    bool movesWithinPlayer_;
    // Same indices as InputManager::controls (entry 0 unused).
    std::array<Codes, CONTROL_COUNT> defaults_;
    std::array<Codes, CONTROL_COUNT> codes_;
    // The codes as the file gives them: the defaults when it has no entry,
    // nothing when its entry cannot be read.
    std::array<std::optional<Codes>, CONTROL_COUNT> inFile_;
    std::array<bool, CONTROL_COUNT> changed_{};
};
