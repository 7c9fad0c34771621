// An editor that dies with unsaved work, for the recovery test.
//   recovery-writer FOLDER FILE: opens the level file, paints the corner's block onto cell
//     (3, 3), lets its recovery copy be written into FOLDER and says "written" once it is on
//     disk, then waits to be killed.
//   recovery-writer FOLDER --restore: restores the newest copy left in FOLDER, says "restored"
//     and waits to be killed before its own copy is due.
#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>

#include "CEditorDoc.h"
#include "LevelRecovery.h"
#include "model/RecentFileList.h"
#include "settings/MemorySettingsStore.h"

namespace {

class NoPrompts : public trundlex::EditorPrompts {
public:
    Answer askToSave(const QString&) override { return Answer::Cancel; }
    QString chooseFileToOpen(const QString&) override { return {}; }
    QString chooseFileToSave(const QString&, const QString&) override { return {}; }
    bool editProperties(trundlex::LevelProperties&) override { return false; }
    bool saveDespite(const QString&) override { return false; }
    bool replaceDespite(const QString&, const QString&) override { return false; }
    bool updateCourses(int) override { return false; }
    bool chooseCourse(const QString&, const QStringList&,
                      trundlex::AddToCourseDialog::Choice&) override {
        return false;
    }
    bool chooseMaterials(trundlex::MaterialReplacement&, bool) override { return false; }
    void showError(const QString& text) override {
        std::fprintf(stderr, "error: %s\n", text.toLocal8Bit().constData());
    }
};

}  // namespace

int main(int argc, char** argv) {
    using namespace trundlex;
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        return 2;
    }
    MemorySettingsStore store;
    RecentFileList recent(store);
    NoPrompts prompts;
    CEditorDoc document(prompts, recent, QString::fromLocal8Bit(argv[1]));
    if (QString::fromLocal8Bit(argv[2]) == QStringLiteral("--restore")) {
        const QString folder = QString::fromLocal8Bit(argv[1]);
        const auto orphans = LevelRecovery::orphans(folder);
        if (orphans.empty()) {
            return 2;
        }
        LevelRecovery recovery(document, folder, 600000);
        recovery.restore(orphans.back());
        std::puts("restored");
        std::fflush(stdout);
        return app.exec();
    }
    if (!document.openFile(QString::fromLocal8Bit(argv[2]))) {
        return 2;
    }
    const Level before = document.level();
    document.level().block(3, 3) = document.level().block(0, 0);
    document.recordEdit(before);
    LevelRecovery recovery(document, QString::fromLocal8Bit(argv[1]), 20);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QFile::exists(recovery.levelPath())) {
            poll.stop();
            std::puts("written");
            std::fflush(stdout);
        }
    });
    poll.start(10);
    return app.exec();
}
