#include "net/RollbackSession.h"

#include "input/PressRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace {

constexpr std::uint8_t LEFT = 1u << Left;
constexpr std::uint8_t UP = 1u << Up;
constexpr std::uint8_t DASH = 1u << Action1;

MatchState startingMatch() {
    MatchEvents events;
    return MatchState::start(0, 1, events);
}

// The match stepped straight on one machine, its controls built as a session builds them.
class StraightMatch {
public:
    StraightMatch() : match_(startingMatch()) {
        for (int player = 1; player <= PLAYER_COUNT; ++player) {
            controls_[controlIndex(Action1, player)] = Consumed;
            controls_[controlIndex(Action2, player)] = Consumed;
        }
    }
    std::uint64_t step(int step, std::uint8_t held1, std::uint8_t held2) {
        combineHeld(held1, 1, controls_);
        combineHeld(held2, 2, controls_);
        MatchEvents events;
        match_.step(onlineStepMs(step), controls_, events);
        return match_.checksum();
    }

private:
    MatchState match_;
    ControlStates controls_{};
};

// Ten thousand steps, the other side's controls arriving from one to eight
// steps late, often several at once and out of order, so that every step
// steps back: every confirmed step matches the match stepped straight with
// the same controls.
TEST(RollbackSession, SteppingBackEveryStepGivesTheStraightMatch) {
    constexpr int STEPS = 10000;
    constexpr int STEPS_PER_LATENESS = 500;
    std::mt19937 random(20261208);
    std::vector<std::uint8_t> local(STEPS), remote(STEPS);
    // The other side's controls change every step, so that every guess is wrong.
    for (int step = 1; step < STEPS; ++step) {
        local[step] = random() % 2 ? static_cast<std::uint8_t>(random() & 0x3F) : local[step - 1];
        remote[step] = remote[step - 1] ^ static_cast<std::uint8_t>(1 + random() % 0x3F);
    }
    StraightMatch straight;
    std::vector<std::uint64_t> expected(STEPS);
    for (int step = 0; step < STEPS; ++step) expected[step] = straight.step(step, local[step], remote[step]);

    RollbackSession session(startingMatch(), 1);
    std::vector<std::uint64_t> confirmed;
    session.onConfirmed([&](int step, int elapsedMs, const ControlStates&, const MatchState& after) {
        ASSERT_EQ(step, static_cast<int>(confirmed.size()));
        EXPECT_EQ(elapsedMs, onlineStepMs(step));
        confirmed.push_back(after.checksum());
    });
    std::vector<std::vector<int>> arriving(STEPS + RollbackSession::PREDICTION_STEPS + 1);
    for (int step = 0; step < STEPS; ++step)
        arriving[step + 1 + step / STEPS_PER_LATENESS % RollbackSession::PREDICTION_STEPS].push_back(step);
    int steppedBack = 0;
    int longest = 0;
    for (int step = 0; step < static_cast<int>(arriving.size()); ++step) {
        std::shuffle(arriving[step].begin(), arriving[step].end(), random);
        for (int late : arriving[step]) ASSERT_TRUE(session.addRemoteHeld(late, remote[late]));
        if (step < STEPS) {
            session.setLocalHeld(step, local[step]);
            ASSERT_TRUE(session.canAdvance()) << step;
            session.advance(nullptr);
        } else {
            session.catchUp(nullptr);
        }
        steppedBack += session.lastRollback() > 0;
        longest = std::max(longest, session.lastRollback());
    }
    EXPECT_GT(steppedBack, STEPS * 98 / 100);
    EXPECT_EQ(longest, RollbackSession::PREDICTION_STEPS);
    ASSERT_EQ(confirmed.size(), expected.size());
    for (int step = 0; step < STEPS; ++step) ASSERT_EQ(confirmed[step], expected[step]) << "step " << step;
    EXPECT_EQ(session.newest().checksum(), expected.back());
}

TEST(RollbackSession, GuessesAtMostEightStepsThenWaitsAndALateCorrectionStepsBackToIt) {
    RollbackSession session(startingMatch(), 2);
    for (int step = 0; step < 20; ++step) session.setLocalHeld(step, LEFT);
    int ran = 0;
    while (session.canAdvance()) {
        session.advance(nullptr);
        ++ran;
    }
    EXPECT_EQ(ran, RollbackSession::PREDICTION_STEPS);
    session.advance(nullptr);
    EXPECT_EQ(session.nextStep(), RollbackSession::PREDICTION_STEPS) << "a step ran past the limit";

    EXPECT_TRUE(session.addRemoteHeld(1, UP));
    EXPECT_FALSE(session.addRemoteHeld(1, LEFT)) << "a step's controls were taken twice";
    EXPECT_FALSE(session.canAdvance()) << "step 0 is still unknown";
    EXPECT_TRUE(session.addRemoteHeld(0, 0));
    EXPECT_EQ(session.remoteKnownThrough(), 1);
    session.catchUp(nullptr);
    EXPECT_EQ(session.lastRollback(), RollbackSession::PREDICTION_STEPS - 1) << "steps 1 on are stepped again";
    EXPECT_FALSE(session.addRemoteHeld(-1, 0));
    EXPECT_FALSE(session.addRemoteHeld(1000, 0)) << "controls far ahead are kept nowhere";

    StraightMatch straight;
    std::uint64_t expected = 0;
    for (int step = 0; step < RollbackSession::PREDICTION_STEPS; ++step)
        expected = straight.step(step, step == 0 ? 0 : UP, LEFT);
    EXPECT_EQ(session.newest().checksum(), expected) << "the guess after step 1 repeats its controls";
    EXPECT_TRUE(session.canAdvance());
}

// The other player dashes at step 5 as first guessed, then the real controls
// show the dash began a step earlier: it is heard once, not again when it
// moves. A dash of this side is heard once however often its step runs again.
TEST(RollbackSession, WhatAStepCausesIsHeardOnce) {
    RollbackSession session(startingMatch(), 1);
    std::array<int, PLAYER_COUNT + 1> dashes{};
    const RollbackSession::Heard hear = [&](const MatchEvents& events) {
        for (const MatchEvent& event : events) dashes[event.player] += event.kind == MatchEventKind::Dash;
    };
    for (int step = 0; step < RollbackSession::RING_STEPS; ++step)
        session.setLocalHeld(step, step >= 2 ? LEFT | DASH : LEFT);
    for (int step = 0; step < 4; ++step) session.addRemoteHeld(step, LEFT);
    session.addRemoteHeld(5, LEFT | DASH);
    for (int step = 0; step < 8; ++step) session.advance(hear);
    EXPECT_EQ(dashes[1], 1);
    EXPECT_EQ(dashes[2], 1);

    session.addRemoteHeld(4, LEFT | DASH);
    session.catchUp(hear);
    EXPECT_EQ(session.lastRollback(), 4);
    for (int step = 6; step < 30; ++step) {
        session.addRemoteHeld(step, step % 2 ? LEFT | DASH : UP | DASH);
        session.advance(hear);
    }
    EXPECT_EQ(dashes[1], 1);
    EXPECT_EQ(dashes[2], 1) << "the dash moved a step and was heard again";
}

}  // namespace
