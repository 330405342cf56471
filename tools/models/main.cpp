// Writes every 3D model of the game, with the pictures its materials name,
// into the run folder given as the only argument.
#include "Models.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <run folder>\n", argv[0]);
        return 2;
    }
    const std::string runFolder = argv[1];
    const bool ok = writeArena(runFolder) && writeDisc(runFolder) &&
                    writeSmallRobot(runFolder) && writeBigRobot(runFolder);
    if (!ok) {
        std::fprintf(stderr, "%s: could not write the models into %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
