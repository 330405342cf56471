#include "actors/ActorModels.h"

#include "actors/Frisbee.h"
#include "actors/Robot.h"
#include "assets/MeshManager.h"
#include "scene/Object3D.h"
#include "shell/GraphicsContext.h"

namespace {

constexpr double DISC_SCALE = 0.2;
constexpr float DISC_TILT = 90.0f;  // about x and z: lays the model flat
constexpr float PART_TILT = 90.0f;  // about x and z: stands each part up

struct PartFiles {
    const char* name;
    const char* path;
};
// Head, body and bottom of the small and the big robot.
constexpr PartFiles SMALL_PARTS[] = {{"SmallHead", "Meshes/Robot/Small/head.x"},
                                     {"SmallBody", "Meshes/Robot/Small/body.x"},
                                     {"SmallBottom", "Meshes/Robot/Small/bottom.x"}};
constexpr PartFiles BIG_PARTS[] = {{"BigHead", "Meshes/Robot/Big/head.x"},
                                   {"BigBody", "Meshes/Robot/Big/body.x"},
                                   {"BigBottom", "Meshes/Robot/Big/bottom.x"}};

}  // namespace

void ActorModels::load(int model1, int model2) {
    MeshManager& meshes = MeshManager::instance();
    device_ = GraphicsContext::instance().device.get();
    disc_ = meshes.loadMesh("frisbee", "Meshes/Frisbee/frisbee.x");
    const int models[] = {model1, model2};
    for (int index = 0; index < 2; ++index) {
        const PartFiles* files = models[index] == ModelBig ? BIG_PARTS : SMALL_PARTS;
        RobotParts& parts = robots_[index];
        parts.head = meshes.loadMesh(files[0].name, files[0].path);
        parts.body = meshes.loadMesh(files[1].name, files[1].path);
        parts.bottom = meshes.loadMesh(files[2].name, files[2].path);
    }
}

void ActorModels::draw(const Robot& robot) const {
    if (robot.player != 1 && robot.player != 2) return;
    const RobotParts& parts = robots_[robot.player - 1];
    drawPart(robot, parts.head, static_cast<float>(robot.headYaw));
    drawPart(robot, parts.body, static_cast<float>(robot.heading));
    drawPart(robot, parts.bottom, static_cast<float>(robot.heading) + static_cast<float>(robot.rotationY));
}

void ActorModels::drawPart(const Robot& robot, Mesh* part, float yaw) const {
    if (part == nullptr || !part->mesh) return;
    drawPlaced(device_, part,
               {robot.x, robot.y, robot.z, ROBOT_SCALE, ROBOT_SCALE, ROBOT_SCALE, PART_TILT, yaw, PART_TILT});
}

void ActorModels::draw(const Frisbee& disc) const {
    if (disc.state == FrisbeeHeld || !disc.visible) return;
    drawPlaced(device_, disc_,
               {disc.x, disc.y, disc.z, DISC_SCALE, DISC_SCALE, DISC_SCALE, DISC_TILT,
                static_cast<float>(disc.rotationY), DISC_TILT});
}
