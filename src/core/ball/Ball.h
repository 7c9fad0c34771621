#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "BallPhysics.h"
#include "BallTypes.h"

namespace trundlex {

class Level;

// A golf ball rolling over one level. A putt runs on a worker thread of its own, in ticks
// of fixed sub-steps, until the ball rests, drops into the cup, falls into water or leaves
// the level, or is stopped; the owner hears of every tick and of the end.
//
// Positions are in block units; speed is in block units per time unit, one time unit being
// 200 sub-steps; the heading is in radians from +x towards +y (clockwise on screen).
//
// Threads: every operation is meant for the owner's thread. While a putt runs, the worker
// owns the simulation state; GetX, GetY, GetRadius, IsRunning and IsSinking may be read at any
// time, GetSpeed, GetHeading and GetSubStepCount only when the ball is not running or inside
// a notification.
class Ball {
public:
    static constexpr double DefaultRadius = BallDefaultRadius;
    static double defaultRadius() { return DefaultRadius; }
    // A putt that has rolled this many time units stops as if it had come to rest.
    static constexpr int MaxRollTimeUnits = trundlex::MaxRollTimeUnits;
    // The pause between two ticks of a putt below the Fastest speed: a tick's share of a
    // roll's time on screen.
    static constexpr int TickMilliseconds = 10;
    // Dotted surface patterns 0 .. PatternCount - 1; PatternCount itself is the plain ball.
    static constexpr int PatternCount = BallPatternCount;

    explicit Ball(std::int32_t id = 0);
    // Stops a rolling ball and waits for its worker to finish before the ball goes away.
    ~Ball();
    Ball(const Ball&) = delete;
    Ball& operator=(const Ball&) = delete;

    // Puts the ball on the level's start with full radius, not sinking. The level is not
    // owned and must outlive every putt on it. A rolling ball is stopped first.
    void SetLevel(const Level& level);

    // Starts a putt on the worker thread. Ignored while the ball rolls, without an owner, or
    // before SetLevel.
    void Putt(double speed, double heading, BallOwner* owner, SpeedMode speedMode);
    // Runs a putt to its end on the calling thread without sleeping: the same ticks and the
    // same notifications as Putt, and the same result to the last bit, computed faster (the
    // wall and cup probes are skipped where they cannot find anything). The level must not
    // change until it returns, not even from a notification. False (nothing done) when Putt
    // would ignore the call, when a worker is still finishing, or in Pause, which would never
    // end.
    bool PuttNow(double speed, double heading, BallOwner* owner, SpeedMode speedMode);

    // Cancels a roll and waits until the worker has seen it; the owner hears nothing. While
    // waiting it runs the message pump, so a worker blocked in a notification can finish.
    // Returns at once when the ball is not rolling, when called on the thread running the
    // simulation (from a notification), or when the pump reports that the program quits.
    void Stop();
    void StopIfRunning() {
        if (IsRunning()) {
            Stop();
        }
    }
    bool IsRunning() const { return running_.load(); }
    bool IsSinking() const { return sinking_.load(); }

    // Takes effect at the next tick, also while the ball rolls. Values outside -2..5 are
    // ignored.
    void SetSpeedMode(SpeedMode mode);
    SpeedMode GetSpeedMode() const { return speedMode_.load(); }

    void SetSoundOn(bool on) { soundOn_.store(on); }
    bool IsSoundOn() const { return soundOn_.load(); }
    // Not owned; null plays nothing.
    void SetSoundPlayer(SoundPlayer* player) { soundPlayer_.store(player); }
    // One step of the user interface's event loop, run by Stop while it waits; returns false
    // when the program is quitting.
    void SetMessagePump(std::function<bool()> pump);

    double GetX() const { return pubX_.load(std::memory_order_relaxed); }
    double GetY() const { return pubY_.load(std::memory_order_relaxed); }
    double GetRadius() const { return pubRadius_.load(std::memory_order_relaxed); }
    // Ignored while the ball rolls.
    void SetX(double x);
    void SetY(double y);
    double GetSpeed() const { return sim_.speed; }
    double GetHeading() const { return sim_.heading; }
    // Sub-steps run by the current or last putt.
    std::int32_t GetSubStepCount() const { return sim_.subSteps; }
    // Why the current or last putt lost the ball (water or the level's edge), or None.
    BallLoss GetLoss() const { return sim_.loss; }
    std::int32_t GetId() const { return id_; }

    // Roll angles accumulated since the last call, for turning a drawn pattern; resets them.
    void TakeRoll(double& rollA, double& rollB);

private:
    void beginPutt(double speed, double heading, BallOwner* owner, SpeedMode speedMode);
    void workerMain();
    bool tick(bool synchronous);
    std::int32_t subStepsForMode(SpeedMode mode) const;
    void notify(BallNotification code);
    void playSound(std::string_view file, bool mutedInNextPosition);
    void publish();
    bool waitWhile(const std::function<bool()>& busy);

    const std::int32_t id_;
    const std::int32_t subStepsPerUnit_ = SubStepsPerTimeUnit;
    const Level* level_ = nullptr;
    // Set for the duration of a synchronous putt, during which the level does not change.
    const OpenCells* openCells_ = nullptr;
    BallOwner* owner_ = nullptr;
    // The worker owns it while a putt runs.
    BallMotion sim_;
    class SoundRelay : public BallSounds {
    public:
        explicit SoundRelay(Ball& ball) : ball_(ball) {}
        void sound(std::string_view file, bool mutedInNextPosition) override {
            ball_.playSound(file, mutedInNextPosition);
        }

    private:
        Ball& ball_;
    };
    SoundRelay sounds_{*this};

    std::atomic<bool> running_{false};
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> sinking_{false};
    std::atomic<bool> soundOn_{true};
    std::atomic<SpeedMode> speedMode_{Normal};
    std::atomic<SoundPlayer*> soundPlayer_{nullptr};
    std::atomic<double> pubX_{100.0};
    std::atomic<double> pubY_{100.0};
    std::atomic<double> pubRadius_{DefaultRadius};
    std::atomic<double> rollA_{0.0};
    std::atomic<double> rollB_{0.0};
    // The thread running the simulation (worker or PuttNow caller), so that Stop from a
    // notification does not wait for itself.
    std::atomic<std::thread::id> simThread_{};

    std::mutex pumpMutex_;
    std::function<bool()> pump_;

    // Guards the worker's life: a worker that finished its last notification takes this
    // mutex and either goes on with a putt started meanwhile or ends.
    std::mutex threadMutex_;
    bool workerAlive_ = false;
    std::thread thread_;
};

}  // namespace trundlex
