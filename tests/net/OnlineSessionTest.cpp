#include "net/OnlineSession.h"

#include "platform/NetLink.h"
#include "support/OnlinePair.h"

#include <gtest/gtest.h>

namespace {

using Phase = OnlineSession::Phase;

constexpr std::uint32_t SEED = 2026;
// 150 ms ± 30 ms of round trip, 5 % of datagrams lost, some doubled or held back.
const NetCondition BAD_LINK{75, 15, 0.05, 0.03, 0.02};
constexpr std::int64_t MATCH_MS = 20000;
constexpr std::int64_t ENDING_LIMIT_MS = 12000;

bool ended(OnlineSession& session) { return session.phase() == Phase::Ended; }

void expectSameConfirmedMatch(const OnlinePair& pair, std::size_t atLeast) {
    const std::vector<std::uint64_t>& host = pair.confirmed(OnlinePair::HOST);
    const std::vector<std::uint64_t>& join = pair.confirmed(OnlinePair::JOIN);
    const std::size_t both = std::min(host.size(), join.size());
    EXPECT_GE(both, atLeast);
    for (std::size_t step = 0; step < both; ++step) ASSERT_EQ(host[step], join[step]) << "step " << step;
}

TEST(OnlineSession, TwoSessionsThroughABadLinkConfirmTheSameMatchAndTurnAwayAThirdSide) {
    OnlinePair pair(BAD_LINK, SEED);
    ASSERT_TRUE(pair.ready());
    ASSERT_TRUE(pair.startMatch());
    std::string error;
    std::unique_ptr<NetLink> toHost = NetLink::connect("127.0.0.1", pair.host().link().port(), error);
    std::unique_ptr<NetLink> toRelay = NetLink::connect("127.0.0.1", pair.relay().port(), error);
    ASSERT_TRUE(toHost && toRelay) << error;
    NetLink::Event event;
    pair.runUntil([&] {
        for (NetLink* stranger : {toHost.get(), toRelay.get()})
            while (stranger->poll(event)) EXPECT_NE(event.kind, NetLink::Event::Connected);
        return ended(pair.host()) || ended(pair.join());
    }, MATCH_MS);
    EXPECT_EQ(pair.host().phase(), Phase::Playing) << pair.host().endText();
    EXPECT_EQ(pair.join().phase(), Phase::Playing) << pair.join().endText();
    EXPECT_GT(pair.relay().strangersDropped(), 0);
    EXPECT_GT(pair.host().stats().checksumsCompared, 0);
    EXPECT_GT(pair.join().stats().checksumsCompared, 0);
    expectSameConfirmedMatch(pair, MATCH_MS * 60 / 1000 * 9 / 10);
    for (OnlineSession* side : {&pair.host(), &pair.join()}) {
        EXPECT_GT(side->roundTripMs(), 100);
        EXPECT_LT(side->roundTripMs(), 220);
        EXPECT_LE(side->stats().longestRollback, RollbackSession::PREDICTION_STEPS);
    }
}

TEST(OnlineSession, SidesOfTwoVersionsEachNameTheOther) {
    OnlinePair pair(NetCondition{20, 5}, SEED, "1.0", "1.1");
    ASSERT_TRUE(pair.ready());
    EXPECT_TRUE(pair.runUntil([&] { return ended(pair.host()) && ended(pair.join()); }, ENDING_LIMIT_MS));
    EXPECT_EQ(pair.host().endText(), "the other side runs version 1.1");
    EXPECT_EQ(pair.join().endText(), "the other side runs version 1.0");
    EXPECT_FALSE(pair.host().matchStarted());
}

TEST(OnlineSession, TheOtherSideLeavingOrCancellingEndsThisOne) {
    for (bool inMatch : {false, true}) {
        OnlinePair pair(NetCondition{20, 5}, SEED);
        ASSERT_TRUE(pair.ready());
        if (inMatch) {
            ASSERT_TRUE(pair.startMatch());
            pair.runUntil([] { return false; }, 1000);
        } else {
            ASSERT_TRUE(pair.runUntil([&] { return pair.host().phase() == Phase::Choosing; }, ENDING_LIMIT_MS));
        }
        pair.join().leave();
        EXPECT_TRUE(ended(pair.join()));
        EXPECT_EQ(pair.join().endText(), "");
        EXPECT_TRUE(pair.runUntil([&] { return ended(pair.host()); }, OnlineSession::SILENCE_LIMIT_MS / 2))
            << (inMatch ? "in the match" : "on the characters page");
        EXPECT_EQ(pair.host().endText(), "the other player left");
    }
}

TEST(OnlineSession, AnOtherSideThatNeverGreetsOrNeverAnswersEndsTheWait) {
    std::string error;
    std::unique_ptr<NetLink> silent = NetLink::listen("127.0.0.1", 0, error);
    ASSERT_TRUE(silent) << error;
    OnlineSession greetedByNobody(OnlineSession::Role::Join, NetLink::connect("127.0.0.1", silent->port(), error), "1.0");
    NetLink::Event event;
    std::int64_t now = 0;
    for (; !ended(greetedByNobody) && now < ENDING_LIMIT_MS; now += OnlinePair::DEFAULT_TICK_MS) {
        greetedByNobody.update(now, 0, nullptr);
        while (silent->poll(event)) {}
    }
    EXPECT_EQ(greetedByNobody.endText(), "connection lost");
    EXPECT_GE(now, OnlineSession::SILENCE_LIMIT_MS);
    EXPECT_LE(now, OnlineSession::SILENCE_LIMIT_MS + 500);

    // A port where a socket is open but nobody reads: a relay never pumped.
    NetRelay deaf(0, NetCondition{}, SEED);
    OnlineSession unanswered(OnlineSession::Role::Join, NetLink::connect("127.0.0.1", deaf.port(), error), "1.0");
    for (now = 0; !ended(unanswered) && now < 2 * OnlineSession::CONNECT_LIMIT_MS; now += OnlinePair::DEFAULT_TICK_MS)
        unanswered.update(now, 0, nullptr);
    EXPECT_EQ(unanswered.endText(), "nobody answers there");
    EXPECT_GE(now, OnlineSession::CONNECT_LIMIT_MS);
    EXPECT_LE(now, OnlineSession::CONNECT_LIMIT_MS + 100);
}

TEST(OnlineSession, APauseStopsBothSidesAtOneStepAndOnlyThePauserResumes) {
    OnlinePair pair(NetCondition{40, 10, 0.02}, SEED);
    ASSERT_TRUE(pair.ready());
    ASSERT_TRUE(pair.startMatch());
    pair.runUntil([] { return false; }, 1000);
    pair.host().askPause();
    const auto bothStill = [&] {
        return pair.host().pausedBy() && pair.join().pausedBy() &&
               pair.confirmed(OnlinePair::HOST).size() == pair.confirmed(OnlinePair::JOIN).size();
    };
    ASSERT_TRUE(pair.runUntil(bothStill, 2000));
    pair.runUntil([] { return false; }, 1000);
    ASSERT_TRUE(bothStill()) << "a paused side went on";
    EXPECT_EQ(pair.host().pausedBy(), 1);
    EXPECT_EQ(pair.join().pausedBy(), 1);
    EXPECT_EQ(pair.host().match().checksum(), pair.join().match().checksum());
    EXPECT_EQ(pair.host().phase(), Phase::Playing);

    pair.join().resume();
    pair.runUntil([] { return false; }, 500);
    EXPECT_TRUE(pair.host().pausedBy() && pair.join().pausedBy()) << "the other player resumed a pause not theirs";
    pair.host().resume();
    const std::size_t pausedAt = pair.confirmed(OnlinePair::HOST).size();
    pair.runUntil([] { return false; }, 1000);
    EXPECT_FALSE(pair.host().pausedBy() || pair.join().pausedBy());
    EXPECT_GT(pair.confirmed(OnlinePair::JOIN).size(), pausedAt + 30);
    expectSameConfirmedMatch(pair, pausedAt + 30);
}

}  // namespace
