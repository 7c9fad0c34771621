#include "Ball.h"

#include <chrono>

#include "level/Level.h"
#include "util/PixelMath.h"

namespace trundlex {

namespace {

constexpr auto kTickPause = std::chrono::milliseconds(Ball::TickMilliseconds);

}  // namespace

Ball::Ball(std::int32_t id) : id_(id) {}

Ball::~Ball() {
    stopRequested_.store(true);
    std::unique_lock lock(threadMutex_);
    if (!thread_.joinable()) {
        return;
    }
    if (thread_.get_id() == std::this_thread::get_id()) {
        // Destroyed from inside its own notification: the worker would return into freed
        // memory. That is a programming error; stop here rather than corrupt memory.
        std::terminate();
    }
    lock.unlock();
    // The worker may be waiting for this thread to handle a notification: keep the pump
    // going until it has ended.
    waitWhile([this] {
        std::lock_guard guard(threadMutex_);
        return workerAlive_;
    });
    thread_.join();
}

void Ball::SetLevel(const Level& level) {
    StopIfRunning();
    level_ = &level;
    sim_.x = level.startX();
    sim_.y = level.startY();
    sim_.radius = DefaultRadius;
    sim_.sinking = false;
    sim_.touchedCup = false;
    sim_.loss = BallLoss::None;
    sinking_.store(false);
    publish();
}

void Ball::SetX(double x) {
    if (!IsRunning()) {
        sim_.x = x;
        publish();
    }
}

void Ball::SetY(double y) {
    if (!IsRunning()) {
        sim_.y = y;
        publish();
    }
}

void Ball::SetSpeedMode(SpeedMode mode) {
    if (mode >= Pause && mode <= NextPosition) {
        speedMode_.store(mode);
    }
}

void Ball::SetMessagePump(std::function<bool()> pump) {
    std::lock_guard lock(pumpMutex_);
    pump_ = std::move(pump);
}

void Ball::TakeRoll(double& rollA, double& rollB) {
    rollA = rollA_.exchange(0.0, std::memory_order_relaxed);
    rollB = rollB_.exchange(0.0, std::memory_order_relaxed);
}

void Ball::publish() {
    pubX_.store(sim_.x, std::memory_order_relaxed);
    pubY_.store(sim_.y, std::memory_order_relaxed);
    pubRadius_.store(sim_.radius, std::memory_order_relaxed);
}

void Ball::beginPutt(double speed, double heading, BallOwner* owner, SpeedMode speedMode) {
    sim_.begin(speed, heading);
    SetSpeedMode(speedMode);
    owner_ = owner;
    stopRequested_.store(false);
    running_.store(true);
}

void Ball::Putt(double speed, double heading, BallOwner* owner, SpeedMode speedMode) {
    std::lock_guard lock(threadMutex_);
    if (running_.load() || owner == nullptr || level_ == nullptr) {
        return;
    }
    beginPutt(speed, heading, owner, speedMode);
    if (!workerAlive_) {
        // A finished worker has released the mutex on its way out; joining it is quick.
        if (thread_.joinable()) {
            thread_.join();
        }
        workerAlive_ = true;
        thread_ = std::thread(&Ball::workerMain, this);
    }
    // Otherwise the worker is still inside its last notification and goes on with this putt.
}

bool Ball::PuttNow(double speed, double heading, BallOwner* owner, SpeedMode speedMode) {
    {
        std::lock_guard lock(threadMutex_);
        if (speedMode == Pause || running_.load() || owner == nullptr || level_ == nullptr ||
            workerAlive_) {
            return false;
        }
        if (thread_.joinable()) {
            thread_.join();
        }
        beginPutt(speed, heading, owner, speedMode);
    }
    const OpenCells open(*level_);
    openCells_ = &open;
    simThread_.store(std::this_thread::get_id());
    while (tick(true)) {
    }
    simThread_.store(std::thread::id());
    openCells_ = nullptr;
    return true;
}

void Ball::workerMain() {
    simThread_.store(std::this_thread::get_id());
    for (;;) {
        while (tick(false)) {
            if (speedMode_.load() < Fastest) {
                std::this_thread::sleep_for(kTickPause);
            }
        }
        std::lock_guard lock(threadMutex_);
        if (!running_.load()) {
            workerAlive_ = false;
            simThread_.store(std::thread::id());
            return;
        }
        // The owner started a new putt while handling the last notification.
    }
}

bool Ball::waitWhile(const std::function<bool()>& busy) {
    while (busy()) {
        std::function<bool()> pump;
        {
            std::lock_guard lock(pumpMutex_);
            pump = pump_;
        }
        if (pump) {
            if (!pump()) {
                return false;
            }
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    return true;
}

void Ball::Stop() {
    if (!running_.load() || stopRequested_.load()) {
        return;
    }
    stopRequested_.store(true);
    if (simThread_.load() == std::this_thread::get_id()) {
        return;
    }
    waitWhile([this] { return running_.load(); });
}

std::int32_t Ball::subStepsForMode(SpeedMode mode) const {
    const std::int32_t base = subStepsPerUnit_ / 100;
    if (mode < 0) {
        return base / (1 - mode);
    }
    if (mode > 0 && mode < NextPosition) {
        return base * (mode + 1);
    }
    if (mode == NextPosition) {
        return subStepsPerUnit_ / 10;
    }
    return base;
}

void Ball::notify(BallNotification code) {
    if (owner_ != nullptr) {
        owner_->onBallNotification(id_, code);
    }
}

void Ball::playSound(std::string_view file, bool mutedInNextPosition) {
    if (!soundOn_.load() || (mutedInNextPosition && speedMode_.load() == NextPosition)) {
        return;
    }
    if (SoundPlayer* player = soundPlayer_.load()) {
        player->play(file);
    }
}

bool Ball::tick(bool synchronous) {
    if (sim_.radius <= 0.0 || stopRequested_.load() || !sim_.rolling) {
        sim_.rolling = false;
        running_.store(false);
        return false;
    }
    std::int32_t count = subStepsForMode(speedMode_.load());
    if (count == 0 && synchronous) {
        // Paused from a notification: a synchronous putt would never end.
        count = subStepsForMode(Normal);
    }
    double rollA = 0.0;
    double rollB = 0.0;
    runSubSteps(sim_, *level_, openCells_, count, &stopRequested_, &sounds_, &rollA, &rollB);
    rollA_.store(rollA_.load(std::memory_order_relaxed) + rollA, std::memory_order_relaxed);
    rollB_.store(rollB_.load(std::memory_order_relaxed) + rollB, std::memory_order_relaxed);
    publish();
    sinking_.store(sim_.sinking);

    // Once running is false the owner may start the next putt at any moment: nothing of
    // the simulation state is touched after that.
    const bool rolling = sim_.rolling;
    if (stopRequested_.load()) {
        if (!rolling) {
            running_.store(false);
        }
        return rolling;
    }
    if (!rolling) {
        const BallNotification code = sim_.sinking ? BallInCup : BallStopped;
        BallOwner* owner = owner_;
        running_.store(false);
        if (owner != nullptr) {
            owner->onBallNotification(id_, code);
        }
        return false;
    }
    if (speedMode_.load() != NextPosition) {
        notify(BallMoved);
    }
    return true;
}

}  // namespace trundlex
