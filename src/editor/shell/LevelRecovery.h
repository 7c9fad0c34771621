#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

#include "level/Level.h"

namespace trundlex {

class CEditorDoc;

// Keeps a copy of the level being edited while it has unsaved changes, so that a crash or a
// killed editor costs at most the last half minute of work. Each running editor writes its own
// pair of files (named after its process), so two editors never overwrite each other's copy,
// and holds a lock file beside them; the copies of editors that are no longer running are
// offered back at the next start. A restored copy stays on disk until it is no longer the
// only place the work lives (see restore).
class LevelRecovery : public QObject {
    Q_OBJECT

public:
    // A copy left by an editor that is no longer running.
    struct Orphan {
        QString levelPath;
        QString infoPath;
        QString originalPath;  // the file the level belonged to; empty when it was untitled
        QDateTime written;
        Level level;
    };

    LevelRecovery(CEditorDoc& document, QString folder, int intervalMilliseconds = 30000,
                  QObject* parent = nullptr);

    // Writes the copy now when the level has unsaved changes, and removes it otherwise. Once
    // this editor's own copy is written, a restored copy it kept is removed.
    void update();
    // Removes this editor's copy and a restored copy it kept (after a save, or when the editor
    // ends normally).
    void discard();
    QString levelPath() const { return levelPath_; }

    // The copies of editors that are no longer running, oldest first. Copies that cannot be
    // read are left alone.
    static std::vector<Orphan> orphans(const QString& folder);
    // Removes a copy that the user declined.
    static void remove(const Orphan& orphan);
    // Puts the copy's level into the document as an unsaved change to the file it belonged
    // to. The copy is kept, and locked by this editor so that no other editor offers it,
    // until this editor has written a copy of its own or the level is saved or dropped: if
    // this editor dies before that, the copy is offered again at the next start.
    void restore(const Orphan& orphan);
    // "Restore the unsaved level ... from 14:07?", naming the file it belonged to.
    static QString question(const Orphan& orphan);

private:
    // Removes the restored copy kept by restore(), if any, and lets its lock go.
    void dropRestoredCopy();

    CEditorDoc& document_;
    QString levelPath_;
    QString infoPath_;
    // Held while this editor runs: its copy is not an orphan.
    std::unique_ptr<QLockFile> lock_;
    QTimer timer_;
    // The copy brought back by restore(), while it is still the only copy of the work.
    QString restoredLevelPath_;
    QString restoredInfoPath_;
    std::unique_ptr<QLockFile> restoredLock_;
};

}  // namespace trundlex
