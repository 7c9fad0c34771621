// trundlex-preview: shows a level in the playfield window and lets you putt on it. Click and
// the ball is putted away from the pointer, harder the farther the pointer is from the ball.
// A tool for level designers until the game itself is there.
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <cmath>

#include "level/LevelFile.h"
#include "platform/PlatformSupport.h"
#include "platform/QtSoundPlayer.h"
#include "render/PlayfieldWnd.h"

namespace {

using namespace trundlex;

// A small level that shows every material.
const char* const kDemoLevel =
    "{Trundlex1}{demo}{Preview}{Trundlex}{12}{8}{2.000000}{4.000000}"
    "{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}"
    "{S0T8}{$}{$}{$}{S0S8}{S0S8}{$}{$}{S0I8}{S0I8}{$}{S0T8}"
    "{S0T8}{$}{$}{$}{S0S8}{S0S8}{$}{T1G8T8}{S0I8}{S0I8}{$}{S0T8}"
    "{S0T8}{$}{$}{S0G0}{S0G0}{$}{$}{S0T8}{$}{$}{C0G8H8}{S0T8}"
    "{S0T8}{$}{$}{S0G0}{S0G0}{$}{$}{S0T8}{$}{$}{$}{S0T8}"
    "{S0T8}{$}{$}{$}{$}{S0W8}{S0W8}{T3G8T8}{$}{S0G6}{S0G6}{S0T8}"
    "{S0T8}{$}{P0G8T8}{$}{$}{S0W8}{S0W8}{$}{$}{M3G8S8}{$}{S0T8}"
    "{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}{S0T8}";

class PreviewWindow : public PlayfieldWnd {
public:
    PreviewWindow() {
        setWindowTitle(QStringLiteral("Trundlex preview"));
        setMouseTracking(true);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        Ball& ball = ownBall();
        if (ball.IsRunning() || event->button() != Qt::LeftButton) {
            return;
        }
        if (ball.IsSinking()) {
            ball.SetLevel(level());
            refresh(true);
            return;
        }
        const QPointF p = pixelToLevel(event->position().x(), event->position().y());
        const double dx = p.x() - ball.GetX();
        const double dy = p.y() - ball.GetY();
        const double aim = std::atan2(dy, dx) + std::acos(-1.0);
        const double force = std::min(80.0, 4.0 * std::sqrt(dx * dx + dy * dy));
        if (force > 0.3) {
            putt(aim, force);
        }
    }
    void onBallStopped(bool inCup) override {
        setWindowTitle(inCup ? QStringLiteral("Trundlex preview - in the cup! Click to start again")
                             : QStringLiteral("Trundlex preview"));
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("trundlex-preview"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows a level and lets you putt on it: click away from the ball."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("level"), QStringLiteral("A .lev file."),
                                 QStringLiteral("[FILE.lev]"));
    QCommandLineOption puttOption(QStringLiteral("putt"),
                                  QStringLiteral("Putt at start: heading in radians and speed."),
                                  QStringLiteral("heading,speed"));
    QCommandLineOption quitOption(QStringLiteral("quit-after"),
                                  QStringLiteral("Quit after this many milliseconds."),
                                  QStringLiteral("ms"));
    parser.addOption(puttOption);
    parser.addOption(quitOption);
    parser.process(app);

    // The sound player outlives the window, whose ball may still be calling it as it goes.
    QtSoundPlayer sound(soundBaseFolder());
    PreviewWindow window;
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        window.level().fromText(kDemoLevel);
    } else if (loadLevelFile(files.first().toStdString(), window.level()) !=
               LevelLoadResult::Loaded) {
        QMessageBox::critical(nullptr, QStringLiteral("Trundlex preview"),
                              QStringLiteral("%1 is not a level file.").arg(files.first()));
        return 1;
    }
    window.ownBall().SetSoundPlayer(&sound);
    window.ownBall().SetLevel(window.level());
    window.resize(800, 600);
    window.show();
    window.refresh(true);

    if (parser.isSet(puttOption)) {
        const QStringList parts = parser.value(puttOption).split(QLatin1Char(','));
        if (parts.size() == 2) {
            const double heading = parts[0].toDouble();
            const double speed = parts[1].toDouble();
            QTimer::singleShot(300, &window, [&window, heading, speed] { window.putt(heading, speed); });
        }
    }
    if (parser.isSet(quitOption)) {
        QTimer::singleShot(parser.value(quitOption).toInt(), &app, &QApplication::quit);
    }
    return app.exec();
}
