#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <optional>

#include "EditorPrompts.h"
#include "level/Level.h"
#include "level/LevelId.h"

namespace trundlex {

class RecentFileList;

// The editor's document: the one level being edited, the file it belongs to, and its history
// of edits. The level counts as changed while the history stands anywhere but at the state
// last opened, created or saved. New, Open, Exit and the random level ask first whether to
// save a changed level; New, Open and a restored level start an empty history, so that Undo
// can never bring back a level of another file. Opening a file that holds no level, or saving that fails, is
// reported to the user and changes nothing: the level being edited stays, and a level that
// could not be saved stays modified.
//
// A level keeps its ID while it holds what it held when it was opened or last saved, so a
// save that changes nothing writes nothing; a changed level is saved with a new ID, and the
// user's courses that list the level by its old ID can follow it (see saveTo).
class CEditorDoc : public QObject {
    Q_OBJECT

public:
    // Starts untitled with the default 10 x 10 level. `prompts` and `recent` must outlive the
    // document. `levelsFolder` is this user's own levels folder, which the game reads: Save As
    // starts there (and creates it when missing), and so does Open when no file has been used.
    CEditorDoc(EditorPrompts& prompts, RecentFileList& recent, QString levelsFolder,
               LocalClock clock = systemLocalClock(), QObject* parent = nullptr);

    Level& level() { return level_; }
    const Level& level() const { return level_; }
    // Side of one block on screen in pixels, as the view last laid the level out.
    int cellSize() const { return cellSize_; }
    void setCellSize(int pixels) { cellSize_ = pixels; }

    // The file of the level; empty while it has none.
    QString pathName() const { return pathName_; }
    // The folder of this user's own courses (which the game reads); a level saved with a new
    // ID over its earlier state offers to update the courses there that list it. Empty: none.
    void setCoursesFolder(const QString& folder) { coursesFolder_ = folder; }
    QString coursesFolder() const { return coursesFolder_; }
    // The levels that come with the game. Save of a file there asks for a file in the user's
    // own levels folder instead, so that the game's own level stays as it came. Empty: none.
    void setShippedLevelsFolder(const QString& folder) { shippedFolder_ = folder; }

    // The file's name, or "Untitled".
    QString title() const;
    // The folder the file dialogs start in: the folder of the last file used, else the
    // levels folder.
    QString dialogFolder() const;
    // The folder Save As starts in: the folder of the document's file when it lies in the
    // user's levels folder (or below it), else the user's levels folder.
    QString saveFolder() const;
    // Whether the document's file lies where the game reads levels: the user's levels folder
    // or the shipped one (subfolders included).
    bool isFileReadByGame() const;
    // The file name Save As offers: the file's own, or the level's name when it has none.
    QString suggestedFileName() const;

    bool IsModified() const { return !history_.isClean(); }
    void SetModifiedFlag(bool modified);

    // The edits since the level was opened or created; at most HistoryLimit steps.
    static constexpr int HistoryLimit = 100;
    QUndoStack& history() { return history_; }
    // Records an edit already made to level(), `before` being the level as it was. An edit
    // that changed nothing is not recorded.
    void recordEdit(const Level& before);

    // File New: asks to save a changed level, then shows the properties dialog (20 x 20,
    // empty names). OK makes an untitled, unchanged level of that size with every block
    // cleared. False, with nothing changed, when the user cancelled either.
    bool fileNew();
    // Asks to save a changed level, then makes `level` the level of a new untitled document,
    // one Undo away from the level before. False when the user cancelled.
    bool replaceWithUntitled(const Level& level);
    // Shows `level` as an unsaved change to the file at `path` (empty: untitled), as a level
    // brought back after the editor ended without saving it. The previous level is dropped
    // with its history: the restored level is the oldest state Undo reaches, and it counts as
    // changed until it is saved.
    void restoreUnsaved(const Level& level, const QString& path);
    // File Open: lets the user choose a file, then opens it as openFile does.
    bool fileOpen();
    // Asks to save a changed level, then opens the level file at `path`. A file that cannot
    // be read or holds no level is reported, dropped from the recent files, and leaves the
    // document as it was. True when the file was opened.
    bool openFile(const QString& path);
    // Saves to the document's file, or asks for one when it has none. False when cancelled
    // or failed (the failure is reported).
    bool fileSave();
    // Asks for a file, starting in saveFolder(), and saves there. False when cancelled or
    // failed.
    bool fileSaveAs();
    // For handing the level to the game, which reads it from its file: a changed level is
    // offered for saving (No goes on with the file as last saved), and a level without a file
    // is saved as with Save As. True when the level has a file to hand over.
    bool saveForGame();
    // Asks whether to save a changed level: Yes saves (false if that fails or is cancelled),
    // No goes on without saving, Cancel stops. True at once for an unchanged level.
    bool saveModified();

signals:
    // The level is about to be saved, or asked about being saved: an edit still in progress
    // (a stroke with the button down) must be finished or dropped first, so that what is
    // written is a state Undo knows, and whether the level changed is told right.
    void aboutToSave();
    // The level is about to be replaced by New, Open or Undo: whatever reads it must let go.
    void aboutToReplaceLevel();
    // A level was created or opened: the view lays it out and draws it afresh.
    void documentReplaced();
    // The file name changed.
    void titleChanged();
    // The recent files changed.
    void recentFilesChanged();

private:
    // Saves to `path`: with the level's own ID while it holds what it held when opened or
    // last saved (nothing is written when the file holds exactly that), else with a new ID,
    // after which the user's courses that listed the level's earlier state in that file may
    // follow it. False when cancelled or failed (reported).
    bool saveTo(const QString& path);
    // Warns of what the level lacks and of what the level now at `path` (`stored`, null when
    // none) would lose; true when the user saves all the same or there is nothing to say.
    bool confirmSave(const QString& path, const Level* stored);
    // Asks whether the user's courses that list `oldId` are to list `newId` instead, and
    // updates them; a course that cannot be saved is reported.
    void followCourses(const std::string& oldId, const std::string& newId);
    void setPathName(const QString& path);

    EditorPrompts& prompts_;
    RecentFileList& recent_;
    QString levelsFolder_;
    LocalClock clock_;
    Level level_;
    int cellSize_ = 1;
    QString pathName_;
    QString coursesFolder_;
    QString shippedFolder_;
    // The level as last opened or saved, whose ID it keeps while it holds the same; empty
    // for a level that has no file yet.
    std::optional<Level> opened_;
    QUndoStack history_;
};

}  // namespace trundlex
