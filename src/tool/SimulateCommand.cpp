#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>

#include "Commands.h"
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

// A number option; false with a message when it is not a finite number.
bool parseNumber(const std::string& text, double& value, std::ostream& err) {
    double parsed = 0.0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') {
        ++first;
    }
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (text.empty() || error != std::errc() || end != last || !std::isfinite(parsed)) {
        err << "not a number: " << text << "\n";
        return false;
    }
    value = parsed;
    return true;
}

constexpr const char* kUsage =
    "usage: trundlex-tool simulate FILE.lev --speed S --heading H [--x X --y Y] [--mode M] "
    "[--trace]\n";

int simulate(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    std::optional<std::string> file;
    std::optional<double> speed, heading, x, y;
    double mode = Normal;
    bool trace = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto number = [&](std::optional<double>& target) {
            double v = 0.0;
            if (i + 1 >= args.size() || !parseNumber(args[++i], v, err)) {
                return false;
            }
            target = v;
            return true;
        };
        bool ok = true;
        if (a == "--speed") {
            ok = number(speed);
        } else if (a == "--heading") {
            ok = number(heading);
        } else if (a == "--x") {
            ok = number(x);
        } else if (a == "--y") {
            ok = number(y);
        } else if (a == "--mode") {
            std::optional<double> m;
            ok = number(m) && *m == std::trunc(*m) && *m >= double{Half} && *m <= double{NextPosition};
            if (ok) {
                mode = *m;
            } else {
                err << "--mode takes a whole number from -1 to 5 (-2, Pause, would never end)\n";
            }
        } else if (a == "--trace") {
            trace = true;
        } else if (!file && !a.starts_with("--")) {
            file = a;
        } else {
            ok = false;
            err << "unexpected argument: " << a << "\n";
        }
        if (!ok) {
            err << kUsage;
            return 2;
        }
    }
    if (!file || !speed || !heading || x.has_value() != y.has_value()) {
        err << kUsage;
        return 2;
    }

    Level level;
    if (loadLevelFile(*file, level) != LevelLoadResult::Loaded) {
        err << *file << ": cannot be read as a level file\n";
        return 1;
    }
    Ball ball;
    TraceOwner owner(ball, out, trace);
    ball.SetSoundPlayer(&owner);
    ball.SetLevel(level);
    if (x) {
        ball.SetX(*x);
        ball.SetY(*y);
    }
    if (!ball.PuttNow(*speed, *heading, &owner, static_cast<SpeedMode>(mode))) {
        err << "the putt could not be run\n";
        return 1;
    }
    out << "result: " << (ball.IsSinking() ? "incup" : "stopped") << " "
        << formatExact(ball.GetX()) << " " << formatExact(ball.GetY()) << " "
        << ball.GetSubStepCount() << "\n";
    return 0;
}

}  // namespace

std::vector<Command> simulateCommands() {
    return {{"simulate",
             "simulate FILE.lev --speed S --heading H [--x X --y Y] [--mode M] [--trace]",
             "Putt a ball on a level to its end and print where it stopped (--trace: every "
             "tick and sound).",
             simulate}};
}

}  // namespace trundlex::tool
