#include "LevelCommands.h"

#include <QFile>
#include <QStringList>
#include <chrono>

#include "CEditorDoc.h"
#include "EditorPrompts.h"
#include "TestBall.h"
#include "model/LevelEditing.h"
#include "model/LevelTransform.h"
#include "model/RandomLevelGenerator.h"
#include "platform/PlatformSupport.h"

namespace trundlex {

namespace {

// The bytes to store for an edited text: the original bytes when the text was not touched,
// so that a name written in another encoding survives an unchanged dialog.
std::string bytesFor(const QString& edited, const std::string& original) {
    if (edited == toDisplayText(original)) {
        return original;
    }
    return edited.toUtf8().toStdString();
}

}  // namespace

LevelCommands::LevelCommands(CEditorDoc& document, EditorPrompts& prompts, TestBall& testBall,
                             std::function<void()> relayout)
    : document_(document),
      prompts_(prompts),
      testBall_(testBall),
      relayout_(std::move(relayout)),
      piecesFolder_(dataFolder(QStringLiteral("RBites"))),
      random_(std::make_unique<SeededRandom>(static_cast<std::uint32_t>(
          std::chrono::system_clock::now().time_since_epoch().count()))) {}

Level& LevelCommands::level() {
    return document_.level();
}

void LevelCommands::undo() {
    testBall_.edit([this] {
        document_.history().undo();
        relayout_();
    });
}

void LevelCommands::redo() {
    testBall_.edit([this] {
        document_.history().redo();
        relayout_();
    });
}

void LevelCommands::editProperties() {
    const Level& shown = level();
    LevelProperties values{toDisplayText(shown.creator()), toDisplayText(shown.name()),
                           shown.width(), shown.height()};
    if (!prompts_.editProperties(values)) {
        return;
    }
    testBall_.edit([this, values] {
        Level& edited = level();
        const Level before = edited;
        edited.resize(values.width, values.height);
        edited.setCreator(bytesFor(values.creator, edited.creator()));
        edited.setName(bytesFor(values.name, edited.name()));
        document_.recordEdit(before);
        relayout_();
    });
}

void LevelCommands::transform(const std::function<bool(Level&)>& change, bool inTestMode) {
    if (testBall_.isOn() && !inTestMode) {
        return;
    }
    testBall_.edit([this, change] {
        const Level before = level();
        const bool resized = change(level());
        document_.recordEdit(before);
        if (resized) {
            relayout_();
        }
    });
}

void LevelCommands::rotateLevel() {
    transform(
        [](Level& l) {
            rotateQuarter(l);
            return true;
        },
        false);
}

void LevelCommands::flipHorizontal() {
    transform(
        [](Level& l) {
            trundlex::flipHorizontal(l);
            return true;
        },
        false);
}

void LevelCommands::flipVertical() {
    transform(
        [](Level& l) {
            trundlex::flipVertical(l);
            return true;
        },
        false);
}

void LevelCommands::makeFit() {
    transform(trundlex::makeFit, true);
}

void LevelCommands::shift(int dx, int dy) {
    transform(
        [dx, dy](Level& l) {
            shiftLevel(l, dx, dy);
            return true;
        },
        true);
}

void LevelCommands::createRandomLevel() {
    if (testBall_.isOn()) {
        return;
    }
    RandomLevelGenerator generator(QFile::encodeName(piecesFolder_).toStdString(), *random_);
    if (!generator.Generate()) {
        QStringList problems;
        for (const std::string& problem : generator.problems()) {
            problems << toDisplayText(problem);
        }
        prompts_.showError(tr("No random level could be made: the template pieces in the "
                              "RBites folder are missing or damaged.\n"
                              "The level you are editing has not been changed.\n\n%1")
                               .arg(problems.join(QLatin1Char('\n'))));
        return;
    }
    document_.replaceWithUntitled(generator.level());
}

}  // namespace trundlex
