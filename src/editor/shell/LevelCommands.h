#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>

#include "util/RandomSource.h"

namespace trundlex {

class CEditorDoc;
class EditorPrompts;
class Level;
class TestBall;

// The editor's commands that change the document's level as a whole: Undo, Properties, the
// quarter turn, the flips, Make fit and the random level. Each change goes through the test
// ball (see TestBall::edit), so that it never happens under a rolling ball's worker, and ends
// with the view's new layout. The turn, the flips and the random level do nothing while test
// mode is on. Each change is one step of the document's history, as are the view's own edits.
class LevelCommands {
    Q_DECLARE_TR_FUNCTIONS(LevelCommands)

public:
    // Everything given must outlive the commands; `relayout` lays the level out afresh and
    // repaints the whole view.
    LevelCommands(CEditorDoc& document, EditorPrompts& prompts, TestBall& testBall,
                  std::function<void()> relayout);

    // Step back or forward in the document's history.
    void undo();
    void redo();
    // The Level Properties dialog; OK resizes and renames the level as one undo step.
    void editProperties();
    void rotateLevel();
    void flipHorizontal();
    void flipVertical();
    void makeFit();
    // Moves every block by (dx, dy) cells (see shiftLevel); also in test mode.
    void shift(int dx, int dy);
    // Asks to save a changed level, then makes a random level from the template pieces the
    // level of a new untitled document (one undo step). When the pieces cannot be read the
    // user is told and the level stays as it was.
    void createRandomLevel();

    // The folder of the template pieces: the RBites folder next to the program by default.
    void setPiecesFolder(const QString& folder) { piecesFolder_ = folder; }
    // The random choices of the random level: seeded from the clock by default.
    void setRandomSource(std::unique_ptr<RandomSource> draws) { random_ = std::move(draws); }

private:
    Level& level();
    // An undo step, the change, and a new layout when the change says so. Refused in test
    // mode unless `inTestMode`.
    void transform(const std::function<bool(Level&)>& change, bool inTestMode);

    CEditorDoc& document_;
    EditorPrompts& prompts_;
    TestBall& testBall_;
    std::function<void()> relayout_;
    QString piecesFolder_;
    std::unique_ptr<RandomSource> random_;
};

}  // namespace trundlex
