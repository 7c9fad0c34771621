// trundlex: the minigolf game.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <utility>

#include "control/GameContext.h"
#include "GameView.h"
#include "Language.h"
#include "LinkHandoff.h"
#include "MainFrame.h"
#include "SplashDialog.h"
#include "library/CourseLibrary.h"
#include "library/GhostStore.h"
#include "library/HighScoreStore.h"
#include "library/LevelLibrary.h"
#include "net/InviteLink.h"
#include "platform/PlatformSupport.h"
#include "platform/ProgramStart.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtSoundPlayer.h"
#include "settings/GameSettings.h"
#include "solver/HoleRates.h"
#include "solver/Par.h"
#include "util/RandomSource.h"

int main(int argc, char** argv) {
    using namespace trundlex;
    QApplication app(argc, argv);
    ProgramStartOptions options;
    options.description = QStringLiteral("Trundlex minigolf");
    options.languageHelp = QStringLiteral("Language of the game: sv or en.");
    options.quitAfterStartHelp = QStringLiteral(
        "Start, show the main window and quit at once, printing where the levels "
        "were read from and how many shipped pars; exit status 1 when no levels or sounds were found. For "
        "checking an installation.");
    options.installLanguage = installLanguage;
    options.argumentName = QStringLiteral("level-or-link");
    options.argumentHelp = QStringLiteral(
        "A level file to play at once, alone (the editor's Play in game starts the game so), or "
        "a room's link, trundlex://HOST[:PORT]/CODE, to join that room (a click on such a link "
        "starts the game so).");
    options.argumentSyntax = QStringLiteral("[FILE.lev | trundlex://HOST/CODE]");
    const ProgramStart started = startProgram(app, QCoreApplication::arguments(), options);
    // A room's link while a game of this user runs already: that game takes it (its window
    // comes forward and goes to the room), and this start ends here.
    const bool linkGiven = !started.arguments.isEmpty() &&
                           InviteLink::looksLikeLink(started.arguments.front().toStdString());
    if (linkGiven && !started.quitAfterStart &&
        LinkHandoff::handOver(LinkHandoff::serverName(), started.arguments.front())) {
        return 0;
    }

    // One random sequence for the whole run, seeded once.
    SeededRandom random = SeededRandom::fromClock();
    QtSettingsStore store;
    GameSettings settings(store);
    settings.Load();

    // The data folders lie next to the program, or in the installed share folder; the user's
    // own levels and courses (made with the editor) are read from the per-user data folder.
    QString dataRoot = dataFolder(QStringLiteral("levels"));
    dataRoot = dataRoot.isEmpty() ? programFolder() : QFileInfo(dataRoot).path();
    const std::string programDir = QDir::toNativeSeparators(dataRoot).toStdString();
    const std::string userDir = QDir::toNativeSeparators(userDataFolder()).toStdString();
    LevelLibrary levels(programDir, userDir);
    CourseLibrary courses(programDir, userDir);
    {
        SplashDialog splash(levels, courses, settings.count());
        const int read = splash.readLibraries();
        if (read > 0) {
            settings.setCount(read);
        }
    }

    HighScoreStore highScores;
    const std::string highScorePath =
        (userDataFolder() + QStringLiteral("highscore.dat")).toStdString();
    highScores.load(highScorePath);

    QtSoundPlayer sound(soundBaseFolder());
    // New course files go where this user may write: the shipped courses folder of a build
    // tree, else the per-user one that is read above.
    const QString saveRoot = QFileInfo(userWritableFolder(QStringLiteral("courses"))).path();
    // The shipped levels' pars ship with them (levels/pars.txt); every other level's par is
    // worked out once per user and kept beside the high scores. A shipped table that is
    // damaged is left aside: those pars are then worked out like any other.
    ShippedPars shipped;
    const QString levelsFolder = dataFolder(QStringLiteral("levels"));
    if (!levelsFolder.isEmpty() &&
        shipped.load(QDir(levelsFolder).filePath(QStringLiteral("pars.txt")).toStdString()) ==
            ShippedPars::ReadResult::Refused) {
        std::fprintf(stderr, "trundlex: %s/pars.txt is damaged; the pars are worked out anew\n",
                     qPrintable(levelsFolder));
    }
    // How tight the shipped pars are, for the course pickers' labels; without the table the
    // labels come from the pars alone.
    HoleRates holeRates;
    if (!levelsFolder.isEmpty() &&
        holeRates.load(QDir(levelsFolder).filePath(QStringLiteral("rates.txt")).toStdString()) ==
            HoleRates::ReadResult::Refused) {
        std::fprintf(stderr, "trundlex: %s/rates.txt is damaged; the courses are rated by their pars\n",
                     qPrintable(levelsFolder));
    }
    const std::size_t shippedPars = shipped.size();
    ParCache pars((userDataFolder() + QStringLiteral("par.txt")).toStdString(),
                  std::move(shipped));
    GameContext context{levels,   courses, highScores, highScorePath,
                        settings, random,  &sound,     saveRoot.toStdString()};
    context.pars = &pars;
    context.holeRates = &holeRates;
    // The best round of every course finished here, for the ghost. A damaged file only costs
    // the ghosts; the next kept round replaces it.
    GhostStore ghosts;
    context.ghostPath = (userDataFolder() + QStringLiteral("ghosts.dat")).toStdString();
    if (!ghosts.load(context.ghostPath)) {
        std::fprintf(stderr, "trundlex: %s is damaged; no ghosts until the next round kept\n",
                     context.ghostPath.c_str());
    }
    context.ghosts = &ghosts;
    // The new-game wizard starts in the mode of the last game set up.
    context.networkMode = settings.lastSetup().mode;
    int result = 0;
    {
        MainFrame frame(context);
        frame.show();
        // Links clicked from now on come to this game; a game started earlier that still
        // runs keeps them instead.
        LinkHandoff links;
        if (!started.quitAfterStart) {
            links.listen();
            QObject::connect(&links, &LinkHandoff::linkArrived, &frame,
                             [&frame](const QString& link) { LinkHandoff::follow(frame, link); });
        }
        // A level named on the command line is played at once; one that cannot be read is
        // reported and the game waits as after any start. A room's link asks for the name
        // and goes to the room, once the window is up.
        // (A room game left in the last two hours is offered by the start screen's Continue.)
        if (!started.arguments.isEmpty()) {
            const QString argument = started.arguments.front();
            if (linkGiven) {
                if (!started.quitAfterStart) {
                    // Once the window is on the screen (for at most two seconds), so that the
                    // dialog opens over it rather than where the window was before the window
                    // manager placed it.
                    auto* placed = new QTimer(&frame);
                    placed->setInterval(20);
                    QObject::connect(placed, &QTimer::timeout, &frame,
                                     [&frame, placed, argument, tries = 0]() mutable {
                                         const QWindow* window = frame.windowHandle();
                                         if ((window == nullptr || !window->isExposed()) &&
                                             ++tries < 100) {
                                             return;
                                         }
                                         placed->stop();
                                         placed->deleteLater();
                                         frame.view()->joinByLink(argument);
                                     });
                    placed->start();
                }
            } else {
                frame.view()->playLevelFile(argument);
            }
        }
        if (started.quitAfterStart) {
            QTimer::singleShot(0, &app, &QCoreApplication::quit);
        }
        result = app.exec();
    }
    if (started.quitAfterStart) {
        const bool found = levels.count() > 0 && !dataFolder(QStringLiteral("sounds")).isEmpty();
        std::printf("trundlex: %d levels and %d courses from %s and %s\n", levels.count(),
                    courses.count(), programDir.c_str(), userDir.c_str());
        std::printf("trundlex: %zu shipped pars\n", shippedPars);
        if (!found) {
            std::fprintf(stderr, "trundlex: no shipped levels or sounds found near %s\n",
                         programFolder().toLocal8Bit().constData());
            result = 1;
        }
    }
    settings.Save();
    // Only when something changed: a folder that cannot be written must not cost a warning
    // at every exit.
    std::string error;
    if (highScores.hasUnsavedChanges() && !highScores.save(highScorePath, &error)) {
        std::fprintf(stderr, "trundlex: the high scores could not be saved to %s: %s\n",
                     highScorePath.c_str(), error.c_str());
        QMessageBox::warning(nullptr, QStringLiteral("Trundlex"),
                             GameView::highScoresNotSavedText(highScorePath, error));
    }
    return result;
}
