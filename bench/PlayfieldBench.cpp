// One ball step in the playfield window: restore the old rectangle, draw the ball, mark the
// union for repainting. It must cost the same on a small and a large level, and in the modern
// look at most twice what it costs in the classic one.
// Run: build/bin/playfield_bench
#include <benchmark/benchmark.h>

#include <QApplication>

#include "render/PlayfieldWnd.h"
#include "support/AsciiLevel.h"

namespace trundlex {
namespace {

void BallMovedUpdate(benchmark::State& state) {
    const int blocks = static_cast<int>(state.range(0));
    const Look look = static_cast<Look>(state.range(1));
    PlayfieldWnd wnd;
    wnd.setLook(look);
    const int blockSize = 40;
    const int border = look == Look::Modern ? 30 : 20;
    wnd.resize(wnd.frameLeft() + 2 * border + blocks * blockSize,
               wnd.frameTop() + 2 * border + blocks * blockSize);
    wnd.level().init(blocks, blocks, "bench", "bench");
    wnd.ownBall().SetLevel(wnd.level());
    wnd.refresh(false);
    if (wnd.blockSize() != blockSize) {
        state.SkipWithError("the window did not get 40-pixel blocks");
        return;
    }
    Ball& ball = wnd.ownBall();
    double x = 1.0;
    for (auto _ : state) {
        x += 0.01;
        if (x > blocks - 1.0) {
            x = 1.0;
        }
        ball.SetX(x);
        wnd.onBallMessage(0, BallMoved);
    }
    state.SetLabel(std::to_string(blocks) + " x " + std::to_string(blocks) +
                   (look == Look::Modern ? " modern" : " classic"));
}
BENCHMARK(BallMovedUpdate)->ArgsProduct({{10, 50}, {static_cast<int>(Look::Classic), static_cast<int>(Look::Modern)}});

}  // namespace
}  // namespace trundlex

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
