#include "support/OnlinePair.h"

#include "platform/NetLink.h"

namespace {

constexpr const char* LOOPBACK = "127.0.0.1";
// A new random set of held controls now and then, as a player changes keys.
constexpr unsigned CHANGE_ONE_IN = 12;
constexpr std::uint8_t SIX_CONTROLS = 0x3F;
constexpr std::int64_t START_LIMIT_MS = 5000;

}  // namespace

OnlinePair::OnlinePair(const NetCondition& condition, std::uint32_t seed, const std::string& hostVersion,
                       const std::string& joinVersion)
    : condition_(condition), random_(seed) {
    std::string error;
    std::unique_ptr<NetLink> hostLink = NetLink::listen(LOOPBACK, 0, error);
    if (!hostLink) return;
    relay_ = std::make_unique<NetRelay>(hostLink->port(), NetCondition{condition.delayMs, condition.jitterMs}, seed);
    std::unique_ptr<NetLink> joinLink = NetLink::connect(LOOPBACK, relay_->port(), error);
    if (!joinLink) return;
    sessions_[HOST] = std::make_unique<OnlineSession>(OnlineSession::Role::Host, std::move(hostLink), hostVersion);
    sessions_[JOIN] = std::make_unique<OnlineSession>(OnlineSession::Role::Join, std::move(joinLink), joinVersion);
    for (int which : {HOST, JOIN}) {
        sessions_[which]->onConfirmed([this, which](int step, int, const ControlStates&, const MatchState& after) {
            confirmed_[which].resize(static_cast<std::size_t>(step) + 1);
            confirmed_[which][step] = after.checksum();
        });
    }
}

void OnlinePair::kill(int which) {
    alive_[which] = false;
    relay_->cut();
}

void OnlinePair::tick(int tickMs) {
    nowMs_ += tickMs;
    for (int which : {HOST, JOIN}) {
        if (random_() % CHANGE_ONE_IN == 0) held_[which] = random_() & SIX_CONTROLS;
        if (alive_[which]) sessions_[which]->update(nowMs_, held_[which], nullptr);
        relay_->pump(nowMs_);
    }
}

bool OnlinePair::runUntil(const std::function<bool()>& done, std::int64_t limitMs, int tickMs) {
    const std::int64_t endMs = nowMs_ + limitMs;
    while (!done() && nowMs_ < endMs) tick(tickMs);
    return done();
}

bool OnlinePair::startMatch() {
    const auto choosing = [this] {
        return host().phase() == OnlineSession::Phase::Choosing && join().phase() == OnlineSession::Phase::Choosing;
    };
    if (!runUntil(choosing, START_LIMIT_MS)) return false;
    host().choose(1, true);
    join().choose(2, true);
    const bool started = runUntil([this] { return host().matchStarted() && join().matchStarted(); }, START_LIMIT_MS);
    relay_->setCondition(condition_);
    return started;
}
