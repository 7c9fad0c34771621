#include "LevelRecovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <algorithm>

#include "CEditorDoc.h"
#include "level/LevelFile.h"
#include "platform/PlatformSupport.h"

namespace trundlex {

namespace {

const QString kPrefix = QStringLiteral("editor-recovery-");

std::string toFileName(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The lock an editor holds for as long as it runs, beside its copy. Qt tells a lock whose
// process has gone (crashed or killed) from a live one on every system; age alone never
// makes it stale, since an editor may stay open for days.
QString lockPathOf(const QString& levelPath) {
    return levelPath.chopped(4) + QStringLiteral(".lock");
}

}  // namespace

LevelRecovery::LevelRecovery(CEditorDoc& document, QString folder, int intervalMilliseconds,
                             QObject* parent)
    : QObject(parent), document_(document) {
    QDir().mkpath(folder);
    const QString base =
        QDir(folder).filePath(kPrefix + QString::number(QCoreApplication::applicationPid()));
    levelPath_ = base + QStringLiteral(".lev");
    infoPath_ = base + QStringLiteral(".txt");
    lock_ = std::make_unique<QLockFile>(lockPathOf(levelPath_));
    lock_->setStaleLockTime(0);
    lock_->tryLock(0);
    timer_.setInterval(intervalMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &LevelRecovery::update);
    timer_.start();
    // Saved (or undone back to what is saved): nothing is left to lose.
    connect(&document_.history(), &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean) {
            discard();
        }
    });
}

void LevelRecovery::update() {
    if (!document_.IsModified()) {
        discard();
        return;
    }
    // The file's name first: a copy is only offered back once its level is complete.
    QSaveFile info(infoPath_);
    if (!info.open(QIODevice::WriteOnly)) {
        return;
    }
    // Whole, so that the level finds its file again from any working folder.
    const QString path = document_.pathName();
    info.write((path.isEmpty() ? path : QFileInfo(path).absoluteFilePath()).toUtf8());
    if (!info.commit()) {
        return;
    }
    // A copy, because saving gives the level a new ID and marks it unmodified.
    Level copy = document_.level();
    if (saveLevelFile(copy, toFileName(levelPath_), systemLocalClock())) {
        // The work is safe in this editor's own copy now.
        dropRestoredCopy();
    }
}

void LevelRecovery::discard() {
    QFile::remove(levelPath_);
    QFile::remove(infoPath_);
    dropRestoredCopy();
}

void LevelRecovery::dropRestoredCopy() {
    if (!restoredLock_) {
        return;
    }
    QFile::remove(restoredLevelPath_);
    QFile::remove(restoredInfoPath_);
    restoredLock_.reset();  // unlocks, which removes the lock file
    restoredLevelPath_.clear();
    restoredInfoPath_.clear();
}

std::vector<LevelRecovery::Orphan> LevelRecovery::orphans(const QString& folder) {
    std::vector<Orphan> found;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({kPrefix + QStringLiteral("*.lev")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        // Only its own editor may touch a live copy: one whose lock can be taken has none.
        QLockFile owner(lockPathOf(dir.filePath(name)));
        owner.setStaleLockTime(0);
        if (!owner.tryLock(0)) {
            continue;
        }
        Orphan orphan;
        orphan.levelPath = dir.filePath(name);
        orphan.infoPath = dir.filePath(name.chopped(4) + QStringLiteral(".txt"));
        QFile info(orphan.infoPath);
        if (!info.open(QIODevice::ReadOnly) ||
            loadLevelFile(toFileName(orphan.levelPath), orphan.level) != LevelLoadResult::Loaded) {
            continue;
        }
        orphan.originalPath = QString::fromUtf8(info.read(64 * 1024));
        orphan.written = QFileInfo(orphan.levelPath).lastModified();
        found.push_back(std::move(orphan));
    }
    // The lock of an editor that was killed without a copy to leave goes with it: taking it
    // and letting it go removes the file.
    for (const QString& name : dir.entryList({kPrefix + QStringLiteral("*.lock")}, QDir::Files)) {
        if (!dir.exists(name.chopped(5) + QStringLiteral(".lev"))) {
            QLockFile gone(dir.filePath(name));
            gone.setStaleLockTime(0);
            gone.tryLock(0);
        }
    }
    std::sort(found.begin(), found.end(),
              [](const Orphan& a, const Orphan& b) { return a.written < b.written; });
    return found;
}

void LevelRecovery::remove(const Orphan& orphan) {
    QFile::remove(orphan.levelPath);
    QFile::remove(orphan.infoPath);
}

void LevelRecovery::restore(const Orphan& orphan) {
    // First, since putting the level in may clear the history and so call discard().
    document_.restoreUnsaved(orphan.level, orphan.originalPath);
    dropRestoredCopy();
    // Until this editor writes its own copy (up to one interval later), the orphan is the only
    // copy of the work: a second crash in that time must not lose it. Holding its lock keeps
    // other editors from offering it meanwhile; if this editor dies, the lock goes stale and
    // the copy is offered again.
    auto lock = std::make_unique<QLockFile>(lockPathOf(orphan.levelPath));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return;  // another editor restored it too, and keeps it
    }
    restoredLock_ = std::move(lock);
    restoredLevelPath_ = orphan.levelPath;
    restoredInfoPath_ = orphan.infoPath;
}

QString LevelRecovery::question(const Orphan& orphan) {
    const QString name = toDisplayText(orphan.level.name());
    const QString time = QLocale().toString(orphan.written, QLocale::ShortFormat);
    if (orphan.originalPath.isEmpty()) {
        return tr("Restore the unsaved level \"%1\" (untitled) from %2?").arg(name, time);
    }
    return tr("Restore the unsaved level \"%1\" of %2 from %3?")
        .arg(name, QDir::toNativeSeparators(orphan.originalPath), time);
}

}  // namespace trundlex
