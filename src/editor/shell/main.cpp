// trundlex-editor: the course editor.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "CEditorDoc.h"
#include "CEditorView.h"
#include "CMainFrame.h"
#include "DialogPrompts.h"
#include "LevelRecovery.h"
#include "EditorLanguage.h"
#include "model/RecentFileList.h"
#include "platform/PlatformSupport.h"
#include "platform/ProgramStart.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtSoundPlayer.h"

int main(int argc, char** argv) {
    using namespace trundlex;
    QApplication app(argc, argv);
    ProgramStartOptions options;
    options.description = QStringLiteral("Trundlex course editor");
    options.languageHelp = QStringLiteral("Language of the editor: sv or en.");
    options.quitAfterStartHelp = QStringLiteral(
        "Start, show the main window and quit at once, printing where the "
        "template pieces were found; exit status 1 when they or the sounds were "
        "not found. For checking an installation.");
    options.installLanguage = installEditorLanguage;
    options.argumentName = QStringLiteral("file");
    options.argumentHelp = QStringLiteral("A level file to open.");
    options.argumentSyntax = QStringLiteral("[FILE.lev]");
    const ProgramStart started = startProgram(app, QCoreApplication::arguments(), options);

    QtSettingsStore store;
    RecentFileList recent(store);
    recent.Load();
    // Save As starts in this user's own levels folder, which the game reads beside the shipped
    // levels; the shipped folder is the game's, even in a build tree where it may be written.
    const QString levels = userDataFolder() + QStringLiteral("levels");
    QDir().mkpath(levels);

    QtSoundPlayer sound(soundBaseFolder());
    DialogPrompts prompts;
    CEditorDoc document(prompts, recent, levels);
    // The courses the game reads as this user's own follow a level saved with a new ID.
    document.setCoursesFolder(userDataFolder() + QStringLiteral("courses"));
    document.setShippedLevelsFolder(dataFolder(QStringLiteral("levels")));
    CMainFrame frame(document, prompts, store, recent);
    frame.view()->setSoundPlayer(&sound);
    prompts.setParentWidget(&frame);
    frame.show();

    // A level that an editor could not save before it ended (a crash, a killed process) is
    // offered back, newest first; one that is declined is gone, others wait for the next start.
    // A restored copy stays until this editor has a copy of its own or the level is saved.
    const QString recoveryFolder = userDataFolder() + QStringLiteral("recovery");
    LevelRecovery recovery(document, recoveryFolder);
    QObject::connect(frame.view(), &CEditorView::ballRunningChanged, &recovery,
                     [&recovery](bool running) {
                         if (running) {
                             recovery.update();
                         }
                     });
    if (!started.quitAfterStart) {
        auto orphans = LevelRecovery::orphans(recoveryFolder);
        for (auto it = orphans.rbegin(); it != orphans.rend(); ++it) {
            const auto answer = QMessageBox::question(&frame, QStringLiteral("Trundlex Editor"),
                                                      LevelRecovery::question(*it));
            if (answer == QMessageBox::Yes) {
                recovery.restore(*it);
                break;
            }
            LevelRecovery::remove(*it);
        }
    }

    // A level file named on the command line is opened; one that cannot be opened is
    // reported and the editor starts with the default level.
    if (!started.arguments.isEmpty()) {
        document.openFile(started.arguments.front());
    }
    if (started.quitAfterStart) {
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    }
    int result = app.exec();
    // Ended normally: the user saved or chose not to.
    recovery.discard();
    if (started.quitAfterStart) {
        const QString pieces = dataFolder(QStringLiteral("RBites"));
        std::printf("trundlex-editor: template pieces from %s, levels saved to %s\n",
                    pieces.toLocal8Bit().constData(), levels.toLocal8Bit().constData());
        if (pieces.isEmpty() || dataFolder(QStringLiteral("sounds")).isEmpty()) {
            std::fprintf(stderr, "trundlex-editor: no template pieces or sounds found near %s\n",
                         programFolder().toLocal8Bit().constData());
            result = 1;
        }
    }
    return result;
}
