#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>

#include "model/UndoRing.h"
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
// mode is on. The undo ring also takes the view's own steps (strokes, block turns, shifts).
class LevelCommands {
    Q_DECLARE_TR_FUNCTIONS(LevelCommands)

public:
    // Everything given must outlive the commands; `relayout` lays the level out afresh and
    // repaints the whole view.
    LevelCommands(CEditorDoc& document, EditorPrompts& prompts, TestBall& testBall,
                  std::function<void()> relayout);

    UndoRing& undoRing() { return undo_; }

    // Brings back the level before the last undo step.
    void undo();
    // The Level Properties dialog; OK resizes and renames the level (no undo step).
    void editProperties();
    void rotateLevel();
    void flipHorizontal();
    void flipVertical();
    // Always an undo step, even when nothing is cut.
    void makeFit();
    // Replaces the level by a random one made from the template pieces, as an undo step.
    // When the pieces cannot be read the user is told and the level stays as it was.
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
    UndoRing undo_;
    QString piecesFolder_;
    std::unique_ptr<RandomSource> random_;
};

}  // namespace trundlex
