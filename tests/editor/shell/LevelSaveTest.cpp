#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "EditorShellFixture.h"
#include "level/LevelFile.h"
#include "library/CourseLibrary.h"
#include "library/HighScoreStore.h"
#include "library/LevelLibrary.h"
#include "support/ScriptedRandom.h"

namespace trundlex::testing {
namespace {

class LevelSaveTest : public EditorShellTest {
protected:
    LevelSaveTest() { document.setCoursesFolder(qpath("user/courses")); }

    // Sets the file's time far into the past, so that any later write shows.
    void ageFile(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    bool writtenSinceAged(const QString& path) const {
        return QFileInfo(path).lastModified() != longAgo;
    }
    std::string idInFile(const QString& path) const {
        Level stored;
        EXPECT_EQ(loadLevelFile(path.toStdString(), stored), LevelLoadResult::Loaded);
        return stored.id();
    }
    // A course of the user's game listing `levelIds`, saved in the user's courses folder.
    Course saveCourse(const char* file, std::vector<std::string> levelIds) {
        Course course;
        course.setName(file);
        for (const std::string& id : levelIds) {
            course.addLevelId(id);
        }
        EXPECT_TRUE(QDir().mkpath(qpath("user/courses")));
        course.setPath(qpath("user/courses").toStdString() + "/" + file);
        ScriptedRandom random({5});
        EXPECT_TRUE(course.save(random));
        return course;
    }
    // The course as the game resolves it from the user's folders.
    CourseLevels resolveAsTheGame(const std::string& courseId) {
        const std::string user = qpath("user").toStdString();
        LevelLibrary levels(user);
        levels.scan(nullptr);
        CourseLibrary courses(user);
        courses.scan(nullptr);
        const int index = courses.findById(courseId);
        EXPECT_GE(index, 0) << courseId;
        return index < 0 ? CourseLevels{} : courses.at(index).resolve(levels);
    }

    const QDateTime longAgo{QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC};
};

// Guards against every save renewing the level's ID: a course listing the level then missed it
// after the next save, even one that changed nothing.
TEST_F(LevelSaveTest, SavingAnUnchangedLevelKeepsItsIdAndDoesNotRewriteTheFile) {
    plotWall(1, 2);
    prompts.savePath = qpath("corner.lev");
    second = 9;
    ASSERT_TRUE(document.fileSaveAs());
    const std::string id = level().id();
    ageFile(qpath("corner.lev"));

    second = 10;
    ASSERT_TRUE(document.fileSave());
    EXPECT_EQ(level().id(), id);
    EXPECT_FALSE(writtenSinceAged(qpath("corner.lev")));

    // Changed and changed back: the same level as in the file.
    plotWall(3, 3);
    view.undo();
    EXPECT_TRUE(document.IsModified() == false);
    ASSERT_TRUE(document.fileSave());
    EXPECT_EQ(level().id(), id);
    EXPECT_FALSE(writtenSinceAged(qpath("corner.lev")));

    // Reopened and saved as a copy: the same level under the same ID.
    prompts.answers = {};
    ASSERT_TRUE(document.openFile(qpath("corner.lev")));
    prompts.savePath = qpath("copy.lev");
    ASSERT_TRUE(document.fileSaveAs());
    EXPECT_EQ(idInFile(qpath("copy.lev")), id);
    EXPECT_TRUE(prompts.courseQuestions.empty());
}

TEST_F(LevelSaveTest, AChangedLevelGetsANewIdWhateverChanged) {
    plotWall(1, 2);
    prompts.savePath = qpath("hill.lev");
    second = 9;
    ASSERT_TRUE(document.fileSaveAs());
    std::string previous = level().id();

    const std::function<void()> changes[] = {
        [this] { plotWall(4, 4); },
        [this] {
            prompts.propertiesAnswer = [](LevelProperties& values) {
                values.name = QStringLiteral("Renamed");
                return true;
            };
            view.editProperties();
        },
    };
    for (const auto& change : changes) {
        change();
        ASSERT_TRUE(document.IsModified());
        ASSERT_TRUE(document.fileSave());
        EXPECT_NE(level().id(), previous);
        EXPECT_EQ(idInFile(qpath("hill.lev")), level().id());
        previous = level().id();
    }
}

TEST_F(LevelSaveTest, TheUsersCoursesFollowTheChangedLevelAndKeepTheirHighScores) {
    ASSERT_TRUE(QDir().mkpath(qpath("user/levels")));
    const QString file = qpath("user/levels/hill.lev");
    plotWall(1, 2);
    prompts.savePath = file;
    second = 9;
    ASSERT_TRUE(document.fileSaveAs());
    const std::string oldId = level().id();
    Level elsewhere(4, 4, "Elsewhere", "Bo");
    elsewhere.setId("elsewhere");
    ASSERT_TRUE(writeLevelFile(elsewhere, qpath("user/levels/elsewhere.lev").toStdString()));
    const Course course = saveCourse("mine.cou", {"elsewhere", oldId, oldId});
    const Course other = saveCourse("other.cou", {"elsewhere"});
    const std::string scores = qpath("user/highscore.dat").toStdString();
    {
        HighScoreStore store;
        ASSERT_TRUE(store.add(course.id(), "Ann", 31, 1000));
        ASSERT_TRUE(store.save(scores));
    }

    plotWall(5, 5);
    second = 10;
    ASSERT_TRUE(document.fileSave());
    ASSERT_NE(level().id(), oldId);
    EXPECT_EQ(prompts.courseQuestions, std::vector<int>{1}) << "asked once, for the one course";

    Course followed;
    ASSERT_TRUE(followed.load(course.path()));
    EXPECT_EQ(followed.levelId(1) + " " + followed.levelId(2), level().id() + " " + level().id());
    EXPECT_EQ(followed.levelId(0), "elsewhere");
    Course untouched;
    ASSERT_TRUE(untouched.load(other.path()));
    EXPECT_EQ(untouched, other);
    // The game: the course finds its levels again, under the ID its high scores are kept by.
    const CourseLevels resolved = resolveAsTheGame(course.id());
    ASSERT_TRUE(resolved.complete());
    HighScoreStore store;
    ASSERT_TRUE(store.load(scores));
    ASSERT_EQ(store.entryCount(resolved.courseId), 1);
    EXPECT_EQ(store.entryAt(resolved.courseId, 0).name, "Ann");

    // Declined: the course keeps the ID it had, and no level has that ID any more.
    const std::string declinedId = level().id();
    prompts.updateTheCourses = false;
    plotWall(6, 6);
    ASSERT_TRUE(document.fileSave());
    EXPECT_EQ(prompts.courseQuestions.size(), 2u);
    ASSERT_TRUE(followed.load(course.path()));
    EXPECT_EQ(followed.levelId(1), declinedId);
    EXPECT_FALSE(resolveAsTheGame(course.id()).complete());
}

TEST_F(LevelSaveTest, SavingAChangedCopyElsewhereLeavesTheCoursesOfTheOriginalAlone) {
    ASSERT_TRUE(QDir().mkpath(qpath("user/levels")));
    plotWall(1, 2);
    prompts.savePath = qpath("user/levels/hill.lev");
    ASSERT_TRUE(document.fileSaveAs());
    const std::string oldId = level().id();
    const Course course = saveCourse("mine.cou", {oldId});

    plotWall(5, 5);
    second = 30;
    prompts.savePath = qpath("user/levels/hill 2.lev");
    ASSERT_TRUE(document.fileSaveAs());
    EXPECT_NE(level().id(), oldId);
    EXPECT_TRUE(prompts.courseQuestions.empty()) << "the original is still there";
    EXPECT_TRUE(resolveAsTheGame(course.id()).complete());
}

}  // namespace
}  // namespace trundlex::testing
