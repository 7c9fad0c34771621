// trundlex-editor: the course editor.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include "CEditorDoc.h"
#include "CEditorView.h"
#include "CMainFrame.h"
#include "DialogPrompts.h"
#include "EditorLanguage.h"
#include "model/RecentFileList.h"
#include "render/PlatformSupport.h"
#include "render/QtSettingsStore.h"
#include "render/QtSoundPlayer.h"

int main(int argc, char** argv) {
    using namespace trundlex;
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brackwater Works"));
    QApplication::setApplicationName(QStringLiteral("Trundlex"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/trundlex.png")));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Trundlex course editor"));
    parser.addHelpOption();
    const QCommandLineOption language(QStringLiteral("lang"),
                                      QStringLiteral("Language of the editor: sv or en."),
                                      QStringLiteral("language"));
    parser.addOption(language);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A level file to open."),
                                 QStringLiteral("[FILE.lev]"));
    parser.process(app);
    installEditorLanguage(app, parser.value(language));

    QtSettingsStore store;
    RecentFileList recent(store);
    recent.Load();
    QString levels = dataFolder(QStringLiteral("levels"));
    if (levels.isEmpty()) {
        levels = programFolder();
    }

    QtSoundPlayer sound(soundBaseFolder());
    DialogPrompts prompts;
    CEditorDoc document(prompts, recent, levels);
    CMainFrame frame(document, prompts, store, recent);
    frame.view()->setSoundPlayer(&sound);
    prompts.setParentWidget(&frame);
    frame.show();

    // A level file named on the command line is opened; one that cannot be opened is
    // reported and the editor starts with the default level.
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        document.openFile(files.front());
    }
    return app.exec();
}
