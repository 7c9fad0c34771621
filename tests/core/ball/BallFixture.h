#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "ball/Ball.h"
#include "support/AsciiLevel.h"

namespace trundlex::testing {

// The ball's state as the owner saw it at one notification.
struct Sample {
    BallNotification code;
    double x;
    double y;
    double radius;
    double speed;
    double heading;
    std::int32_t subSteps;
};

// Records every notification with the ball's state, and can react to one through `hook`.
class RecordingOwner : public BallOwner {
public:
    explicit RecordingOwner(const Ball* ball) : ball_(ball) {}

    void onBallNotification(std::int32_t, BallNotification code) override {
        std::function<void(BallNotification)> hook;
        {
            std::lock_guard lock(mutex_);
            if (ball_ != nullptr) {
                samples_.push_back({code, ball_->GetX(), ball_->GetY(), ball_->GetRadius(),
                                    ball_->GetSpeed(), ball_->GetHeading(),
                                    ball_->GetSubStepCount()});
            } else {
                samples_.push_back({code, 0.0, 0.0, 0.0, 0.0, 0.0, 0});
            }
            hook = hook_;
        }
        if (hook) {
            hook(code);
        }
        // Counted after the hook, so a waiter sees what the hook did.
        std::lock_guard lock(mutex_);
        if (code != BallMoved) {
            ++ends_;
        }
        changed_.notify_all();
    }

    void setHook(std::function<void(BallNotification)> hook) {
        std::lock_guard lock(mutex_);
        hook_ = std::move(hook);
    }

    // Waits until `count` notifications of any kind have arrived.
    bool waitForSamples(std::size_t count,
                        std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return samples_.size() >= count; });
    }
    // Waits until `count` end notifications (stopped or in cup) have arrived.
    bool waitForEnds(int count, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return ends_ >= count; });
    }

    std::vector<Sample> samples() const {
        std::lock_guard lock(mutex_);
        return samples_;
    }
    int count(BallNotification code) const {
        std::lock_guard lock(mutex_);
        return static_cast<int>(std::ranges::count(samples_, code, &Sample::code));
    }

private:
    const Ball* ball_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Sample> samples_;
    int ends_ = 0;
    std::function<void(BallNotification)> hook_;
};

// Records sounds with the sub-step at which each was played.
class RecordingSound : public SoundPlayer {
public:
    explicit RecordingSound(const Ball* ball) : ball_(ball) {}

    void play(std::string_view file) override {
        // Sounds are played on the thread that runs the simulation, so this read is safe.
        std::lock_guard lock(mutex_);
        played_.emplace_back(file, ball_->GetSubStepCount());
    }
    // The sounds played, each with its sub-step.
    using Played = std::pair<std::string, std::int32_t>;
    std::vector<Played> played() const {
        std::lock_guard lock(mutex_);
        return played_;
    }
    int count(std::string_view file) const {
        std::lock_guard lock(mutex_);
        return static_cast<int>(std::ranges::count(played_, file, &Played::first));
    }

private:
    const Ball* ball_;
    mutable std::mutex mutex_;
    std::vector<Played> played_;
};

// A ball placed on a level, with its owner; the ball goes first, so that its worker never
// outlives the owner.
struct OwnedBall {
    OwnedBall(const Level& level, double x, double y) {
        ball.SetLevel(level);
        ball.SetX(x);
        ball.SetY(y);
    }
    RecordingOwner owner{&ball};
    Ball ball;
};

class BallTest : public ::testing::Test {
protected:
    BallTest() { ball.SetSoundPlayer(&sound); }

    void loadLevel(const std::vector<std::string_view>& rows) {
        level = asciiLevel(rows);
        ball.SetLevel(level);
    }
    void placeBall(double x, double y) {
        ball.SetX(x);
        ball.SetY(y);
    }
    void loadLevel(const std::vector<std::string_view>& rows, double x, double y) {
        loadLevel(rows);
        placeBall(x, y);
    }
    // Putts synchronously to the end. In Half speed every tick is one sub-step, so the
    // owner sees the state after every sub-step.
    void putt(double speed, double heading, SpeedMode mode = Half) {
        ASSERT_TRUE(ball.PuttNow(speed, heading, &owner, mode));
        ASSERT_FALSE(ball.IsRunning());
    }

    // The ball is destroyed first, so its worker never outlives what it reports to.
    Level level;
    RecordingOwner owner{&ball};
    RecordingSound sound{&ball};
    Ball ball;
};

}  // namespace trundlex::testing
