#pragma once

#include <array>

class Frisbee;
class GraphicsDevice;
class Robot;
struct Mesh;

// The models of a match's disc and robots, drawn where the match puts them.
// Drawing reads the robots and the disc and changes nothing in them.
class ActorModels {
public:
    // The disc's model and the parts of each player's robot model; every
    // file is loaded once, whatever the match.
    void load(int model1, int model2);
    // The head looks at the disc, the body faces the other half and the
    // bottom turns toward the running direction.
    void draw(const Robot& robot) const;
    // Not drawn while held or hidden.
    void draw(const Frisbee& disc) const;

private:
    struct RobotParts {
        Mesh* head = nullptr;
        Mesh* body = nullptr;
        Mesh* bottom = nullptr;
    };
    void drawPart(const Robot& robot, Mesh* part, float yaw) const;

    std::array<RobotParts, 2> robots_{};
    Mesh* disc_ = nullptr;
    GraphicsDevice* device_ = nullptr;
};
