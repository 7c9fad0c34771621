// trundlex-editor: the course editor.
#include <QApplication>
#include <QIcon>

#include "CEditorDoc.h"
#include "CMainFrame.h"
#include "DialogPrompts.h"
#include "model/RecentFileList.h"
#include "render/PlatformSupport.h"
#include "render/QtSettingsStore.h"

int main(int argc, char** argv) {
    using namespace trundlex;
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brackwater Works"));
    QApplication::setApplicationName(QStringLiteral("Trundlex"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/trundlex.png")));

    QtSettingsStore store;
    RecentFileList recent(store);
    recent.Load();
    QString levels = dataFolder(QStringLiteral("levels"));
    if (levels.isEmpty()) {
        levels = programFolder();
    }

    DialogPrompts prompts;
    CEditorDoc document(prompts, recent, levels);
    CMainFrame frame(document, prompts, store, recent);
    prompts.setParentWidget(&frame);
    frame.show();

    // A level file named on the command line is opened; one that cannot be opened is
    // reported and the editor starts with the default level.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        document.openFile(arguments.at(1));
    }
    return app.exec();
}
