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
    const QString name = QStringLiteral("trundlex-test-next-to");
    QDir program(programFolder());
    ASSERT_TRUE(program.mkpath(name));
    locations.makeShipped(name, true);
    EXPECT_EQ(dataFolder(name), program.filePath(name));
    program.rmdir(name);
}

TEST(PlatformSupportTest, StandardDataLocationsAreSearchedInOrderAMissingFolderIsEmpty) {
    StandardDataLocations locations;
    const QString name = QStringLiteral("trundlex-test-data");
    const QString system = locations.makeShipped(name, false);
    EXPECT_EQ(dataFolder(name), QDir::cleanPath(system));
    const QString user = locations.makeShipped(name, true);
    EXPECT_EQ(dataFolder(name), QDir::cleanPath(user)) << "the user's location comes first";
    EXPECT_TRUE(dataFolder(QStringLiteral("trundlex-test-nowhere")).isEmpty());
    EXPECT_TRUE(dataFolder(QString()).isEmpty());
}

TEST(PlatformSupportTest, UserFilesGoNextToTheProgramOnlyInABuildTree) {
    StandardDataLocations locations;
    const QString name = QStringLiteral("trundlex-test-levels");
    EXPECT_EQ(userWritableFolder(name), userDataFolder() + name) << "no shipped folder";
    locations.makeShipped(name, false);
    EXPECT_EQ(userWritableFolder(name), userDataFolder() + name)
        << "an installed data folder is never written into";
    QDir program(programFolder());
    ASSERT_TRUE(program.mkpath(name));
    EXPECT_EQ(userWritableFolder(name), program.filePath(name)) << "a build tree";
    program.rmdir(name);
}

}  // namespace
}  // namespace trundlex
