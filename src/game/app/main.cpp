// trundlex: the minigolf game.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <ctime>

#include "GameContext.h"
#include "Language.h"
#include "MainFrame.h"
#include "SplashDialog.h"
#include "library/CourseLibrary.h"
#include "library/HighScoreStore.h"
#include "library/LevelLibrary.h"
#include "library/RandomSource.h"
#include "render/PlatformSupport.h"
#include "render/QtSettingsStore.h"
#include "render/QtSoundPlayer.h"
#include "settings/GameSettings.h"

int main(int argc, char** argv) {
    using namespace trundlex;
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brackwater Works"));
    QApplication::setApplicationName(QStringLiteral("Trundlex"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/trundlex.png")));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Trundlex minigolf"));
    parser.addHelpOption();
    const QCommandLineOption language(QStringLiteral("lang"),
                                      QStringLiteral("Language of the game: sv or en."),
                                      QStringLiteral("language"));
    parser.addOption(language);
    parser.process(app);
    installLanguage(app, parser.value(language));

    // One random sequence for the whole run, seeded once.
    SeededRandom random = SeededRandom::fromClock();
    QtSettingsStore store;
    GameSettings settings(store);
    settings.Load();

    // The data folders lie next to the program, or in the installed share folder.
    QString dataRoot = dataFolder(QStringLiteral("levels"));
    dataRoot = dataRoot.isEmpty() ? programFolder() : QFileInfo(dataRoot).path();
    const std::string programDir = QDir::toNativeSeparators(dataRoot).toStdString();
    LevelLibrary levels(programDir);
    CourseLibrary courses(programDir);
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
    GameContext context{levels,   courses, highScores, highScorePath,
                        settings, random,  &sound,     programDir};
    int result = 0;
    {
        MainFrame frame(context);
        frame.show();
        result = app.exec();
    }
    settings.Save();
    highScores.save(highScorePath);
    return result;
}
