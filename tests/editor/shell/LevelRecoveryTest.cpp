#include <QDir>
#include <QFile>
#include <csignal>

#include "EditorShellFixture.h"
#include "LevelRecovery.h"
#include "level/LevelFile.h"
#include "support/ChildProcess.h"

namespace trundlex::testing {
namespace {

std::vector<std::string> cells(const Level& level) {
    std::vector<std::string> all;
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x) {
            all.push_back(level.block(x, y).toText());
        }
    }
    return all;
}

// The level of a shipped file with the edit the recovery writer makes (the corner's block on
// cell (3, 3)).
Level editedByTheWriter(const QString& file) {
    Level level;
    EXPECT_EQ(loadLevelFile(file.toStdString(), level), LevelLoadResult::Loaded);
    level.block(3, 3) = level.block(0, 0);
    return level;
}

// An editor killed with unsaved work: its level comes back at the next start, cell for cell,
// as an unsaved change to the file it belonged to. The restored copy stays until the restoring
// editor has written its own, and saving removes that one.
TEST_F(EditorShellTest, LevelOfAKilledEditorComesBackCellForCell) {
    const QString file = qpath("mine.lev");
    ASSERT_TRUE(QFile::copy(QStringLiteral(TRUNDLEX_SOURCE_DIR "/resources/levels/duck-pond.lev"), file));
    const QString copies = qpath("recovery");
    ChildProcess editor;
    ASSERT_TRUE(editor.start(RECOVERY_WRITER_PATH, {copies.toStdString(), file.toStdString()}));
    ASSERT_TRUE(editor.waitForLine("written"));
    EXPECT_TRUE(LevelRecovery::orphans(copies).empty()) << "a running editor's copy was offered";
    editor.signal(SIGKILL);
    EXPECT_EQ(editor.waitForExit(), ChildProcess::Signalled);

    const auto orphans = LevelRecovery::orphans(copies);
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(orphans[0].originalPath, file);
    EXPECT_TRUE(LevelRecovery::question(orphans[0]).contains(QStringLiteral("mine.lev")));
    Level expected;
    ASSERT_EQ(loadLevelFile(file.toStdString(), expected), LevelLoadResult::Loaded);
    EXPECT_NE(cells(orphans[0].level), cells(expected)) << "the unsaved edit is missing";
    expected.block(3, 3) = expected.block(0, 0);

    LevelRecovery mine(document, copies, 60000);
    mine.restore(orphans[0]);
    EXPECT_EQ(cells(level()), cells(expected));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.pathName(), file);
    EXPECT_TRUE(QFile::exists(orphans[0].levelPath)) << "the only copy of the work went";
    EXPECT_TRUE(LevelRecovery::orphans(copies).empty()) << "a restored copy was offered again";
    mine.update();
    EXPECT_TRUE(QFile::exists(mine.levelPath()));
    EXPECT_FALSE(QFile::exists(orphans[0].levelPath)) << "the older copy outlived the newer";
    EXPECT_TRUE(LevelRecovery::orphans(copies).empty()) << "this editor's copy was offered";
    ASSERT_TRUE(document.fileSave());
    EXPECT_FALSE(QFile::exists(mine.levelPath())) << "a saved level's copy stayed";
}

// A restored copy was removed at once, so an editor that crashed again before writing its own
// copy lost the restored work for good.
TEST_F(EditorShellTest, ASecondCrashRightAfterARestoreStillLeavesTheWork) {
    const QString file = qpath("mine.lev");
    ASSERT_TRUE(QFile::copy(QStringLiteral(TRUNDLEX_SOURCE_DIR "/resources/levels/duck-pond.lev"), file));
    const QString copies = qpath("recovery");
    ChildProcess first;
    ASSERT_TRUE(first.start(RECOVERY_WRITER_PATH, {copies.toStdString(), file.toStdString()}));
    ASSERT_TRUE(first.waitForLine("written"));
    first.signal(SIGKILL);
    EXPECT_EQ(first.waitForExit(), ChildProcess::Signalled);

    ChildProcess second;
    ASSERT_TRUE(second.start(RECOVERY_WRITER_PATH, {copies.toStdString(), "--restore"}));
    ASSERT_TRUE(second.waitForLine("restored"));
    EXPECT_TRUE(LevelRecovery::orphans(copies).empty())
        << "a copy being restored by a running editor was offered";
    second.signal(SIGKILL);
    EXPECT_EQ(second.waitForExit(), ChildProcess::Signalled);

    const auto orphans = LevelRecovery::orphans(copies);
    ASSERT_EQ(orphans.size(), 1u) << "the restored work is gone";
    EXPECT_EQ(orphans[0].originalPath, file);
    EXPECT_EQ(cells(orphans[0].level), cells(editedByTheWriter(file)));

    // Restored a second time and saved before this editor's own copy is due: no copy is left
    // to be offered again.
    LevelRecovery mine(document, copies, 60000);
    mine.restore(orphans[0]);
    ASSERT_TRUE(document.fileSave());
    EXPECT_TRUE(QDir(copies).entryList({QStringLiteral("*.lev")}, QDir::Files).isEmpty());
    EXPECT_TRUE(LevelRecovery::orphans(copies).empty());
}

// Each running editor holds a lock file beside its copy. A scan leaves a live editor's lock
// alone; the lock of an editor killed without a copy to leave is cleared away by the next one.
TEST_F(EditorShellTest, ALockOutlivesItsEditorOnlyUntilTheNextScan) {
    const QString file = qpath("mine.lev");
    ASSERT_TRUE(QFile::copy(QStringLiteral(TRUNDLEX_SOURCE_DIR "/resources/levels/duck-pond.lev"), file));
    const QString copies = qpath("recovery");
    const auto locks = [&copies] {
        return QDir(copies).entryList({QStringLiteral("*.lock")}, QDir::Files);
    };
    ChildProcess editor;
    ASSERT_TRUE(editor.start(RECOVERY_WRITER_PATH, {copies.toStdString(), file.toStdString()}));
    ASSERT_TRUE(editor.waitForLine("written"));
    EXPECT_TRUE(LevelRecovery::orphans(copies).empty());
    ASSERT_EQ(locks().size(), 1u) << "a scan took a running editor's lock";
    editor.signal(SIGKILL);
    EXPECT_EQ(editor.waitForExit(), ChildProcess::Signalled);
    // As if it had been killed right after a save: no copy, only its lock.
    for (const QString& name : QDir(copies).entryList({QStringLiteral("*.lev"), QStringLiteral("*.txt")})) {
        ASSERT_TRUE(QFile::remove(QDir(copies).filePath(name)));
    }
    EXPECT_TRUE(LevelRecovery::orphans(copies).empty());
    EXPECT_TRUE(locks().isEmpty()) << "a dead editor's lock stayed: " << locks().join(' ').toStdString();
}

}  // namespace
}  // namespace trundlex::testing
