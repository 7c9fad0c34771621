#include <iostream>

#include "Commands.h"
#include "ToolArguments.h"
#include "ball/Ball.h"
#include "level/Level.h"
#include "level/LevelFile.h"
#include "util/TextNumbers.h"

namespace trundlex::tool {

namespace {

// Prints what a putt reports, when tracing.
class TraceOwner : public BallOwner, public SoundPlayer {
public:
    TraceOwner(const Ball& ball, std::ostream& out, bool trace)
        : ball_(ball), out_(out), trace_(trace) {}

    void onBallNotification(std::int32_t, BallNotification code) override {
        ++ticks_;
        if (trace_ && code == BallMoved) {
            out_ << "tick: " << ticks_ << " " << formatExact(ball_.GetX()) << " "
                 << formatExact(ball_.GetY()) << " " << formatExact(ball_.GetSpeed()) << " "
                 << formatExact(ball_.GetHeading()) << "\n";
        }
    }
    void play(std::string_view file) override {
        if (trace_) {
            out_ << "sound: " << file << "\n";
        }
    }

private:
    const Ball& ball_;
    std::ostream& out_;
    bool trace_;
    long ticks_ = 0;
};

constexpr CommandInfo kSimulate = {
    "simulate", "simulate FILE.lev --speed S --heading H [--x X --y Y] [--mode M] [--trace]",
    "Putt a ball on a level to its end and print where it stopped (--trace: every tick and "
    "sound)."};

int simulate(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    ToolArguments args(kSimulate);
    args.addArgument("FILE.lev", "The level to putt on.")
        .addRequiredOption("speed", "S", "The putt's speed.")
        .addRequiredOption("heading", "H", "The putt's direction in radians.")
        .addOption("x", "X", "Where the ball lies, in blocks from the left (with --y).")
        .addOption("y", "Y", "Where the ball lies, in blocks from the top (with --x).")
        .addOption("mode", "M",
                   "The ball's speed mode: -1 half, 0 normal (the default), 1 to 4 double to "
                   "fastest, 5 next position. -2, Pause, is refused: a paused putt would never "
                   "end.")
        .addFlag("trace",
                 "Also print a \"tick:\" line per tick and a \"sound:\" line per "
                 "sound.");
    if (const auto exit = args.parse(raw, out, err)) {
        return *exit;
    }
    // Values that scripts write with a leading "+" have always been taken.
    constexpr NumberRule anyNumber{.leadingPlus = true};
    constexpr NumberRule modes{
        .low = double{Half}, .high = double{NextPosition}, .whole = true, .leadingPlus = true};
    double speed = 0.0;
    double heading = 0.0;
    double x = 0.0;
    double y = 0.0;
    double mode = Normal;
    if (!args.readNumber("speed", anyNumber, speed) ||
        !args.readNumber("heading", anyNumber, heading) || !args.readNumber("x", anyNumber, x) ||
        !args.readNumber("y", anyNumber, y) || !args.readNumber("mode", modes, mode)) {
        return kUsageError;
    }
    const bool placed = args.isSet("x");
    if (placed != args.isSet("y")) {
        return args.refuse("--x and --y go together");
    }
    const std::string& file = args.positionals()[0];
    const bool trace = args.isSet("trace");

    Level level;
    if (loadLevelFile(file, level) != LevelLoadResult::Loaded) {
        err << file << ": cannot be read as a level file\n";
        return 1;
    }
    Ball ball;
    TraceOwner owner(ball, out, trace);
    ball.SetSoundPlayer(&owner);
    ball.SetLevel(level);
    if (placed) {
        ball.SetX(x);
        ball.SetY(y);
    }
    if (!ball.PuttNow(speed, heading, &owner, static_cast<SpeedMode>(mode))) {
        err << "the putt could not be run\n";
        return 1;
    }
    out << "result: " << (ball.IsSinking() ? "incup" : "stopped") << " " << formatExact(ball.GetX())
        << " " << formatExact(ball.GetY()) << " " << ball.GetSubStepCount() << "\n";
    return 0;
}

}  // namespace

std::vector<Command> simulateCommands() {
    return {{kSimulate, simulate}};
}

}  // namespace trundlex::tool
