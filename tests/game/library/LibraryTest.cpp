#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "LibraryTestSupport.h"
#include "library/CourseLibrary.h"
#include "library/FolderWalker.h"
#include "library/LevelLibrary.h"
#include "library/LibraryReading.h"

namespace trundlex {
namespace {

using testing::courseFileBytes;
using testing::levelFileBytes;
using testing::TempFolder;
using testing::writeBytes;

class CountingProgress : public ScanProgress {
public:
    void itemAdded() override {
        ++steps;
        threadId = std::this_thread::get_id();
    }
    std::atomic<int> steps{0};
    std::thread::id threadId;
};

class LibraryTest : public ::testing::Test {
protected:
    // A level file under "levels/" of the program folder.
    void putLevel(std::string_view relative, std::string_view id, std::string_view name = "L",
                  std::string_view creator = "tests") {
        writeBytes(folder_ / ("levels/" + std::string(relative)),
                   levelFileBytes(id, name, creator));
    }
    void putCourse(std::string_view relative, std::string_view name, std::string_view id) {
        writeBytes(folder_ / ("courses/" + std::string(relative)), courseFileBytes(name, id, 0));
    }

    std::vector<std::string> scannedNames() {
        LevelLibrary levels(folder_.path().string());
        levels.scan(nullptr);
        return levelNames(levels);
    }
    std::vector<std::string> levelNames(const LevelLibrary& levels) {
        std::vector<std::string> names;
        for (int i = 0; i < levels.count(); ++i) {
            names.push_back(levels.at(i).name());
        }
        return names;
    }

    TempFolder folder_;
};

TEST_F(LibraryTest, DuplicateIdKeepsTheFileDirectlyInTheFolderOverTheSubfolder) {
    // "a" sorts before "z": the subfolder would win if it were read first.
    putLevel("a/first.lev", "7", "in subfolder");
    putLevel("z.lev", "7", "in levels");
    putLevel("a/b/deeper.lev", "7", "deeper");
    putLevel("a/other.lev", "8", "other");

    EXPECT_EQ(scannedNames(), (std::vector<std::string>{"in levels", "other"}));
}

TEST_F(LibraryTest, BrokenFilesEmptyIdsHiddenFilesAndOtherExtensionsAreSkipped) {
    writeBytes(folder_ / "levels/a-garbage.lev", "\xff\xff\xff\xff\xff\xff\xffnot a level");
    writeBytes(folder_ / "levels/b-empty.lev", "");
    const std::string whole = levelFileBytes("5", "cut");
    writeBytes(folder_ / "levels/c-cut.lev", whole.substr(0, whole.size() / 2));
    writeBytes(folder_ / "levels/e-course.lev", courseFileBytes("course", "9", 0));
    putLevel("d-no-id.lev", "", "no id");
    for (const char* skipped : {".hidden.lev", ".secret/inside.lev", "open/.also-hidden.lev",
                                "plain.txt", "longer.level", "nodot-lev", "course.cou"}) {
        putLevel(skipped, skipped, "skipped");
    }
    putLevel("f-good.lev", "6", "good");
    // A folder named like a level file is a folder: it is entered, not read as a file.
    putLevel("g-folder.lev/h-inside.lev", "10", "inside");
    putLevel("SHOUTED.LEV", "1", "upper case");
    putLevel("open/seen.lev", "2", "seen");
    EXPECT_EQ(scannedNames(), (std::vector<std::string>{"upper case", "good", "inside", "seen"}));
}

TEST_F(LibraryTest, ProgressIsToldOncePerItemAddedOnTheScanningThread) {
    for (int i = 0; i < 6; ++i) {
        putLevel("pack" + std::to_string(i % 3) + "/" + std::to_string(i) + ".lev",
                 "level" + std::to_string(i));
    }
    putLevel("duplicate.lev", "level4");
    writeBytes(folder_ / "levels/broken.lev", "broken");
    putCourse("1.cou", "Course 1", "-1");
    putCourse("2.cou", "Course 2", "-2");
    putCourse("same-id.cou", "Copy", "-1");

    // The program folder given with a trailing slash, as the platform may hand it over.
    LevelLibrary levels(folder_.path().string() + "/");
    CourseLibrary courses(folder_.path().string() + "/");
    CountingProgress progress;
    int total = -1;
    std::thread reader([&] { total = readLibraries(levels, courses, &progress); });
    const std::thread::id readerId = reader.get_id();
    reader.join();

    EXPECT_EQ(total, 8);
    EXPECT_EQ(progress.steps, 8);
    EXPECT_EQ(progress.threadId, readerId);
    EXPECT_EQ(levels.count(), 6);
}

TEST_F(LibraryTest, UserFilesJoinTheShippedOnesButNeverReplaceOne) {
    // The user's folder would be read first if it sorted first by name; it must not win.
    putLevel("z.lev", "7", "shipped");
    putCourse("z.cou", "Shipped course", "-7");
    TempFolder user;
    writeBytes(user / "levels/a.lev", levelFileBytes("7", "user copy"));
    writeBytes(user / "levels/mine/own.lev", levelFileBytes("2", "own"));
    writeBytes(user / "courses/a.cou", courseFileBytes("User course", "-7", 0));
    writeBytes(user / "courses/own.cou", courseFileBytes("Own course", "-2", 0));

    LevelLibrary levels(folder_.path().string(), user.path().string());
    CourseLibrary courses(folder_.path().string(), user.path().string());
    CountingProgress progress;
    EXPECT_EQ(readLibraries(levels, courses, &progress), 4);
    EXPECT_EQ(progress.steps, 4);
    EXPECT_EQ(levelNames(levels), (std::vector<std::string>{"own", "shipped"}));
    ASSERT_EQ(courses.count(), 2);
    EXPECT_EQ(courses.at(courses.findById("-7")).name(), "Shipped course");
    EXPECT_GE(courses.findById("-2"), 0);
}

TEST_F(LibraryTest, MissingFoldersAreEmpty) {
    LevelLibrary none(folder_ / "nothing-shipped", folder_ / "no-user-folder");
    CourseLibrary noCourses(folder_.path().string());
    EXPECT_EQ(readLibraries(none, noCourses, nullptr), 0);
    EXPECT_EQ(none.userFolderPath(), (folder_ / "no-user-folder") + "/levels");

    putLevel("shipped.lev", "1", "shipped");
    LevelLibrary noUser(folder_.path().string(), folder_ / "no-user-folder");
    noUser.scan(nullptr);
    EXPECT_EQ(levelNames(noUser), (std::vector<std::string>{"shipped"}));

    TempFolder user;
    writeBytes(user / "levels/own.lev", levelFileBytes("3", "own"));
    LevelLibrary noShipped(folder_ / "nothing-shipped", user.path().string() + "/");
    noShipped.scan(nullptr);
    EXPECT_EQ(levelNames(noShipped), (std::vector<std::string>{"own"}));
}

TEST_F(LibraryTest, SortPutsTheLevelsInTheOrderOfLevels) {
    // The order itself (creator, name, size) is the level's, tested there.
    putLevel("1.lev", "1", "Beta", "Zed");
    putLevel("2.lev", "2", "Beta", "Ann");
    putLevel("3.lev", "3", "Alpha", "Ann");
    LevelLibrary levels(folder_.path().string());
    levels.scan(nullptr);
    levels.sort();
    EXPECT_EQ(levelNames(levels), (std::vector<std::string>{"Alpha", "Beta", "Beta"}));
    EXPECT_EQ(levels.at(1).creator(), "Ann");
}

TEST_F(LibraryTest, CoursesAreSortedByNameBytewiseAndFoundByExactIdBytes) {
    putCourse("1.cou", "beta", "-12");
    putCourse("2.cou", "\xe5ngen", "12");  // Latin-1 a-ring: a high byte sorts last
    putCourse("3.cou", "Beta", "120");
    putCourse("4.cou", "alpha", "4");
    CourseLibrary courses(folder_.path().string());
    courses.scan(nullptr);
    courses.sort();
    std::string order;
    for (int i = 0; i < courses.count(); ++i) {
        order += courses.at(i).name() + ",";
    }
    EXPECT_EQ(order, "Beta,alpha,beta,\xe5ngen,");
    EXPECT_EQ(courses.findById("-12"), 2);
    EXPECT_EQ(courses.findById("12"), 3);
    for (const char* unknown : {"012", "1", ""}) {
        EXPECT_EQ(courses.findById(unknown), -1) << unknown;
    }

    // A level that a peer sent joins the library and is found like a scanned one.
    LevelLibrary levels(folder_.path().string());
    Level sent(3, 3, "from a peer", "peer");
    sent.setId("abc");
    ASSERT_TRUE(levels.isAcceptable(sent));
    levels.add(sent);
    EXPECT_EQ(levels.findById("abc"), 0);
    EXPECT_EQ(levels.findById("ABC"), -1);
    EXPECT_FALSE(levels.isAcceptable(sent));
}

TEST_F(LibraryTest, LinkedFoldersThatFormALoopAreWalkedOnce) {
    // Guards against a scan that follows links back into its own tree for ever: two links
    // to the same folder double the paths at every turn of the loop.
    putLevel("pack/one.lev", "1", "one");
    std::filesystem::create_directory_symlink(folder_ / "levels", folder_ / "levels/pack/loop");
    std::filesystem::create_directory_symlink(folder_ / "levels/pack", folder_ / "levels/same");

    std::vector<std::string> visited;
    FolderWalker("lev").walk(folder_ / "levels", true,
                             [&](const std::string& file) { visited.push_back(file); });
    EXPECT_EQ(visited, (std::vector<std::string>{folder_ / "levels/pack/one.lev"}));
}

}  // namespace
}  // namespace trundlex
