// Where the editor saves, and the level's ways into the game: Play in game and Add to course.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "AddToCourseDialog.h"
#include "EditorShellFixture.h"
#include "LevelHandOff.h"
#include "level/LevelFile.h"
#include "library/CourseLibrary.h"
#include "library/LevelLibrary.h"
#include "support/ScriptedRandom.h"

namespace trundlex::testing {
namespace {

using Answer = EditorPrompts::Answer;

// A document as the editor makes it: the user's levels and courses under "user", which does
// not exist yet, and the levels that came with the game in "shipped".
class LevelHandOffTest : public ::testing::Test {
protected:
    LevelHandOffTest() {
        doc.setCoursesFolder(path("user/courses"));
        doc.setShippedLevelsFolder(path("shipped"));
        handOff.setGameLauncher(
            GameLauncher(gameProgram(), [this](const QString& program, const QStringList& args) {
                started << program + QLatin1Char(' ') + args.join(QLatin1Char(' '));
                return true;
            }));
        handOff.setRandomSource(std::make_unique<ScriptedRandom>(std::vector<int>{7}));
    }

    QString path(const char* name) const {
        return QDir(folder.path()).filePath(QLatin1String(name));
    }
    // An executable standing for the game program.
    QString gameProgram() {
        const QString program = path("bin/trundlex");
        QDir().mkpath(path("bin"));
        QFile file(program);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
        return program;
    }
    // A level file with a cup, so that saving it asks nothing else.
    void writeLevel(const char* name, const char* id) {
        Level level = asciiLevel({"#####", "#.O.#", "#####"});
        level.setName(id);
        level.setStart(1.5, 1.5);
        level.setId(id);
        QDir().mkpath(QFileInfo(path(name)).path());
        ASSERT_TRUE(writeLevelFile(level, path(name).toStdString()));
    }
    // One change to the document's level, as an undo step.
    void change() {
        const Level before = doc.level();
        doc.level().block(1, 1) = doc.level().block(0, 0);
        doc.recordEdit(before);
    }
    // The course as the game finds it in the user's folders.
    CourseLevels resolveAsTheGame(const std::string& courseId) {
        const std::string user = path("user").toStdString();
        LevelLibrary levels(user);
        levels.scan(nullptr);
        CourseLibrary courses(user);
        courses.scan(nullptr);
        const int index = courses.findById(courseId);
        EXPECT_GE(index, 0);
        return index < 0 ? CourseLevels{} : courses.at(index).resolve(levels);
    }

    QTemporaryDir folder;
    MemorySettingsStore store;
    RecentFileList recent{store};
    ScriptedPrompts prompts;
    CEditorDoc doc{prompts, recent, path("user/levels")};
    LevelHandOff handOff{doc, prompts};
    QStringList started;
};

TEST_F(LevelHandOffTest, SaveAsStartsInTheUsersLevelsFolderAndMakesIt) {
    ASSERT_FALSE(QFileInfo::exists(path("user/levels")));
    EXPECT_FALSE(doc.fileSaveAs());
    EXPECT_TRUE(QFileInfo(path("user/levels")).isDir()) << "made for the dialog";
    EXPECT_EQ(prompts.saveFolders.last(), path("user/levels"));

    // A file elsewhere is saved where it is, but Save As offers the game's folder.
    writeLevel("elsewhere/mine.lev", "mine");
    ASSERT_TRUE(doc.openFile(path("elsewhere/mine.lev")));
    EXPECT_FALSE(doc.fileSaveAs());
    EXPECT_EQ(prompts.saveFolders.last(), path("user/levels"));

    // A file in a folder of the user's levels keeps its folder.
    writeLevel("user/levels/tour/a.lev", "a");
    ASSERT_TRUE(doc.openFile(path("user/levels/tour/a.lev")));
    EXPECT_FALSE(doc.fileSaveAs());
    EXPECT_EQ(prompts.saveFolders.last(), path("user/levels/tour"));
}

TEST_F(LevelHandOffTest, SavingALevelThatCameWithTheGameAsksForAFileOfTheUsersOwn) {
    writeLevel("shipped/pond.lev", "pond");
    const QByteArray shipped = [this] {
        QFile file(path("shipped/pond.lev"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    ASSERT_TRUE(doc.openFile(path("shipped/pond.lev")));
    EXPECT_TRUE(doc.isFileReadByGame()) << "the game reads shipped levels";
    change();
    prompts.savePath = path("user/levels/pond.lev");
    ASSERT_TRUE(doc.fileSave());
    EXPECT_EQ(prompts.saveFolders, QStringList{path("user/levels")});
    EXPECT_EQ(prompts.suggestedNames.last(), QStringLiteral("pond.lev"));
    QFile file(path("shipped/pond.lev"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), shipped) << "the game's own level is left as it came";
    EXPECT_EQ(doc.pathName(), path("user/levels/pond.lev"));
}

TEST_F(LevelHandOffTest, PlayInGameStartsTheGameOnTheSavedFile) {
    // Untitled: saved first; no file chosen, no game.
    EXPECT_FALSE(handOff.playInGame());
    EXPECT_EQ(prompts.saveFolders.size(), 1);
    EXPECT_TRUE(started.isEmpty());

    writeLevel("user/levels/hill.lev", "hill");
    ASSERT_TRUE(doc.openFile(path("user/levels/hill.lev")));
    ASSERT_TRUE(handOff.playInGame());
    EXPECT_EQ(started,
              QStringList{path("bin/trundlex") + QLatin1Char(' ') + path("user/levels/hill.lev")});

    // Changed: asked to save; Cancel starts nothing, No plays the file as it was saved.
    change();
    prompts.answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(handOff.playInGame());
    EXPECT_EQ(started.size(), 1);
    EXPECT_TRUE(handOff.playInGame());
    EXPECT_EQ(started.size(), 2);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(LevelHandOffTest, AMissingGameProgramIsReported) {
    writeLevel("user/levels/hill.lev", "hill");
    ASSERT_TRUE(doc.openFile(path("user/levels/hill.lev")));
    bool ran = false;
    handOff.setGameLauncher(
        GameLauncher(path("bin/no-such-game"), [&](const QString&, const QStringList&) {
            ran = true;
            return true;
        }));
    EXPECT_FALSE(handOff.playInGame());
    EXPECT_FALSE(ran);
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors.front().contains(QStringLiteral("no-such-game")));
}

TEST_F(LevelHandOffTest, AddToCourseMakesANewCourseOrExtendsOneThatTheGameThenPlays) {
    writeLevel("user/levels/hill.lev", "hill");
    writeLevel("user/levels/dale.lev", "dale");
    ASSERT_TRUE(doc.openFile(path("user/levels/hill.lev")));
    EXPECT_FALSE(handOff.addToCourse()) << "the dialog was cancelled";
    EXPECT_EQ(prompts.offeredCourses, QStringList{QStringLiteral("hill: ")});

    prompts.courseChoice = AddToCourseDialog::Choice{-1, QStringLiteral("Tour: one/two")};
    ASSERT_TRUE(handOff.addToCourse());
    Course made;
    ASSERT_TRUE(made.load(path("user/courses/Tour- one-two.cou").toStdString()));
    EXPECT_EQ(made.name(), "Tour: one/two");
    ASSERT_EQ(made.levelCount(), 1);
    EXPECT_EQ(made.levelId(0), "hill");
    EXPECT_TRUE(handOff.lastAddition().contains(QStringLiteral("Tour: one/two")));

    ASSERT_TRUE(doc.openFile(path("user/levels/dale.lev")));
    prompts.courseChoice = AddToCourseDialog::Choice{0, {}};
    ASSERT_TRUE(handOff.addToCourse());
    EXPECT_EQ(prompts.offeredCourses.last(), QStringLiteral("dale: Tour: one/two"));
    Course extended;
    ASSERT_TRUE(extended.load(made.path()));
    EXPECT_EQ(extended.id(), made.id()) << "its high scores stay with it";
    ASSERT_EQ(extended.levelCount(), 2);
    EXPECT_EQ(extended.levelId(1), "dale");
    EXPECT_TRUE(resolveAsTheGame(made.id()).complete());
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(LevelHandOffTest, ALevelSavedWhereTheGameDoesNotLookIsNotAddedToACourse) {
    writeLevel("elsewhere/mine.lev", "mine");
    ASSERT_TRUE(doc.openFile(path("elsewhere/mine.lev")));
    EXPECT_FALSE(doc.isFileReadByGame());
    prompts.courseChoice = AddToCourseDialog::Choice{-1, QStringLiteral("Tour")};
    EXPECT_FALSE(handOff.addToCourse());
    EXPECT_TRUE(prompts.offeredCourses.isEmpty());
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(path("user/courses")));
}

TEST(AddToCourseDialog, OkNeedsACourseOrANameAndTypingANameChoosesANewCourse) {
    AddToCourseDialog none(QStringLiteral("Hill"), {});
    EXPECT_FALSE(none.existingButton()->isEnabled());
    EXPECT_TRUE(none.newButton()->isChecked());
    EXPECT_FALSE(none.okButton()->isEnabled()) << "no name yet";
    none.nameEdit()->setText(QStringLiteral("   "));
    EXPECT_FALSE(none.okButton()->isEnabled());
    none.nameEdit()->setText(QStringLiteral("  Tour "));
    EXPECT_TRUE(none.okButton()->isEnabled());
    EXPECT_EQ(none.choice().course, -1);
    EXPECT_EQ(none.choice().newName, QStringLiteral("Tour"));

    AddToCourseDialog some(QStringLiteral("Hill"), {QStringLiteral("A"), QStringLiteral("B")});
    EXPECT_TRUE(some.existingButton()->isChecked()) << "an existing course first";
    EXPECT_TRUE(some.okButton()->isEnabled());
    some.courseList()->setCurrentIndex(1);
    EXPECT_EQ(some.choice().course, 1);
    EXPECT_EQ(some.choice().newName, QString());
    QTest::keyClicks(some.nameEdit(), QStringLiteral("New"));
    EXPECT_TRUE(some.newButton()->isChecked());
    EXPECT_EQ(some.choice().course, -1);
}

}  // namespace
}  // namespace trundlex::testing
