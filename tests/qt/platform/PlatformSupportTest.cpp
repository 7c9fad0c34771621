#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/PlatformSupport.h"

namespace trundlex {
namespace {

// Points XDG_DATA_HOME and XDG_DATA_DIRS at folders of the test's own for its lifetime.
class StandardDataLocations {
public:
    StandardDataLocations()
        : oldHome_(qgetenv("XDG_DATA_HOME")), oldDirs_(qgetenv("XDG_DATA_DIRS")) {
        qputenv("XDG_DATA_HOME", home_.path().toLocal8Bit());
        qputenv("XDG_DATA_DIRS", system_.path().toLocal8Bit());
    }
    ~StandardDataLocations() {
        restore("XDG_DATA_HOME", oldHome_);
        restore("XDG_DATA_DIRS", oldDirs_);
    }

    // Makes "trundlex/<name>" in the user's (or the system's) data location.
    QString makeShipped(const QString& name, bool inUserLocation) {
        const QString path = QDir((inUserLocation ? home_ : system_).path())
                                 .filePath(QStringLiteral("trundlex/") + name);
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }

private:
    static void restore(const char* name, const QByteArray& value) {
        if (value.isNull()) {
            qunsetenv(name);
        } else {
            qputenv(name, value);
        }
    }
    QByteArray oldHome_;
    QByteArray oldDirs_;
    QTemporaryDir home_;
    QTemporaryDir system_;
};

TEST(PlatformSupportTest, FolderNextToTheProgramComesFirst) {
    StandardDataLocations locations;
    QDir program(programFolder());
    ASSERT_TRUE(program.mkpath(QStringLiteral("trundlex-test-next-to")));
    locations.makeShipped(QStringLiteral("trundlex-test-next-to"), true);
    EXPECT_EQ(dataFolder(QStringLiteral("trundlex-test-next-to")),
              program.filePath(QStringLiteral("trundlex-test-next-to")));
    program.rmdir(QStringLiteral("trundlex-test-next-to"));
}

TEST(PlatformSupportTest, StandardDataLocationsAreSearchedInOrderAMissingFolderIsEmpty) {
    StandardDataLocations locations;
    const QString system = locations.makeShipped(QStringLiteral("trundlex-test-data"), false);
    EXPECT_EQ(dataFolder(QStringLiteral("trundlex-test-data")), QDir::cleanPath(system));
    // The user's data location comes before the system's.
    const QString user = locations.makeShipped(QStringLiteral("trundlex-test-data"), true);
    EXPECT_EQ(dataFolder(QStringLiteral("trundlex-test-data")), QDir::cleanPath(user));
    EXPECT_TRUE(dataFolder(QStringLiteral("trundlex-test-nowhere")).isEmpty());
    EXPECT_TRUE(dataFolder(QString()).isEmpty());
}

TEST(PlatformSupportTest, UserFilesGoNextToTheProgramOnlyInABuildTree) {
    StandardDataLocations locations;
    EXPECT_EQ(userWritableFolder(QStringLiteral("trundlex-test-levels")),
              userDataFolder() + QStringLiteral("trundlex-test-levels"))
        << "no shipped folder: the user's own";
    locations.makeShipped(QStringLiteral("trundlex-test-levels"), false);
    EXPECT_EQ(userWritableFolder(QStringLiteral("trundlex-test-levels")),
              userDataFolder() + QStringLiteral("trundlex-test-levels"))
        << "an installed data folder is never written into";
    QDir program(programFolder());
    ASSERT_TRUE(program.mkpath(QStringLiteral("trundlex-test-levels")));
    EXPECT_EQ(userWritableFolder(QStringLiteral("trundlex-test-levels")),
              program.filePath(QStringLiteral("trundlex-test-levels")))
        << "a writable folder next to the program: a build tree";
    program.rmdir(QStringLiteral("trundlex-test-levels"));
}

}  // namespace
}  // namespace trundlex
