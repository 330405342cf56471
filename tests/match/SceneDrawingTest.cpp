#include "match/MatchWorld.h"
#include "match/SceneDrawing.h"

#include <gtest/gtest.h>

namespace {

using Kind = DeviceCall::Kind;

// The kinds of the calls of one frame, without the state changes between.
std::vector<Kind> callKinds(const RecordingDevice& device) {
    std::vector<Kind> kinds;
    for (const DeviceCall& call : device.calls)
        if (call.kind != Kind::Transform && call.kind != Kind::Material &&
            call.kind != Kind::RenderState && call.kind != Kind::Texture)
            kinds.push_back(call.kind);
    return kinds;
}

TEST(SceneDrawingTest, MatchViewThenMessageThenScoreAndClock) {
    MatchWorld world;
    RecordingDevice& device = *world.screen.device;
    Game& game = world.game;
    game.startMatch(11);
    game.score = {20, 5};
    game.setsWon = {1, 0};
    game.timeLeft = 98999;  // whole seconds left, never rounded up
    game.notification = game.makeNotification("5points", 1000);
    game.notification->remainingMs = 875;
    device.clearCalls();
    drawScene();

    EXPECT_GT(device.count(Kind::DrawSubset), 0u) << "arena, robots and disc";
    const std::vector<Kind> kinds = callKinds(device);
    // 3D first, then the message in its sprite batch, then the three texts.
    const auto begin = std::find(kinds.begin(), kinds.end(), Kind::SpriteBegin);
    ASSERT_NE(begin, kinds.end());
    EXPECT_EQ(std::vector<Kind>(begin, kinds.end()),
              (std::vector<Kind>{Kind::SpriteBegin, Kind::SpriteTransform, Kind::SpriteDraw,
                                 Kind::SpriteEnd, Kind::Text, Kind::Text, Kind::Text}));

    const DeviceCall* message = device.last(Kind::SpriteDraw);
    EXPECT_EQ(message->texture, world.picture("5points"));
    EXPECT_EQ(message->color, 0x80FFFFFFu) << "faded in by an eighth of its life";
    EXPECT_EQ((std::array<float, 4>{message->topLeft.x, message->topLeft.y,
                                    message->bottomRight.x, message->bottomRight.y}),
              (std::array<float, 4>{160, 120, 480, 360}));

    const auto texts = world.screen.texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->text, "Player One : 20 Pts - 1 sets");
    EXPECT_TRUE(drawnIn(texts[0], 30, 10, 330, 200, DT_LEFT | DT_TOP, WHITE));
    EXPECT_EQ(texts[1]->text, "Player Two : 5 Pts - 0 sets");
    EXPECT_TRUE(drawnIn(texts[1], 310, 10, 610, 200, DT_RIGHT, WHITE));
    EXPECT_EQ(texts[2]->text, "Time\n98");
    EXPECT_TRUE(drawnIn(texts[2], 220, 10, 420, 200, DT_CENTER, WHITE));
}

}  // namespace
