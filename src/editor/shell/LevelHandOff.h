#pragma once

#include <QCoreApplication>
#include <QString>
#include <memory>

#include "GameLauncher.h"
#include "util/RandomSource.h"

namespace trundlex {

class CEditorDoc;
class EditorPrompts;

// The level's ways into the game: File > Play in game starts the game on the level's file,
// and File > Add to course puts the level at the end of one of the user's courses (those in
// the document's courses folder, which the game reads) or into a new one. Both work on the
// saved level and first offer to save a changed one (see CEditorDoc::saveForGame); a failure
// is reported through the prompts.
class LevelHandOff {
    Q_DECLARE_TR_FUNCTIONS(LevelHandOff)

public:
    // `document` and `prompts` must outlive this object.
    LevelHandOff(CEditorDoc& document, EditorPrompts& prompts,
                 GameLauncher launcher = GameLauncher());

    // False when nothing was started (cancelled, or reported).
    bool playInGame();
    // False when no course was changed (cancelled, or reported). A level saved where the game
    // does not read levels is refused with a word on where to save it, since a course that
    // lists it would miss it.
    bool addToCourse();
    // What the last successful addToCourse did, for the status bar.
    QString lastAddition() const { return lastAddition_; }

    // How the game is started: tests hand in a launcher that records instead.
    void setGameLauncher(GameLauncher launcher) { launcher_ = std::move(launcher); }
    // The random start of a new course's ID: seeded from the clock by default.
    void setRandomSource(std::unique_ptr<RandomSource> random) { random_ = std::move(random); }

private:
    CEditorDoc& document_;
    EditorPrompts& prompts_;
    GameLauncher launcher_;
    std::unique_ptr<RandomSource> random_;
    QString lastAddition_;
};

}  // namespace trundlex
