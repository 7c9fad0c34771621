// The start-up that the game and the editor share: the application's names, its command line
// and the language it asks for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>

#include "platform/ProgramStart.h"

namespace trundlex {
namespace {

class ProgramStartTest : public ::testing::Test {
protected:
    // The names decide where settings go: the other tests of this program keep theirs.
    void TearDown() override {
        QApplication::setOrganizationName(organization_);
        QApplication::setApplicationName(application_);
        QApplication::setWindowIcon(icon_);
    }

    // Starts with a language installer that records what it is asked for.
    ProgramStart start(const QStringList& commandLine, ProgramStartOptions o = {}) {
        o.installLanguage = [this](QCoreApplication&, const QString& requested) {
            requests_.append(requested);
            return QStringLiteral("en");
        };
        return startProgram(*qApp, commandLine, o);
    }

    QStringList requests_;

private:
    const QString organization_ = QApplication::organizationName();
    const QString application_ = QApplication::applicationName();
    const QIcon icon_ = QApplication::windowIcon();
};

TEST_F(ProgramStartTest, ReadsLanguageQuitOptionAndFileAndNamesTheApplication) {
    ProgramStartOptions o;
    o.argumentName = QStringLiteral("file");
    const ProgramStart started =
        start({QStringLiteral("trundlex-editor"), QStringLiteral("--lang"), QStringLiteral("sv"),
               QStringLiteral("--quit-after-start"), QStringLiteral("level.lev")},
              o);
    EXPECT_TRUE(started.quitAfterStart);
    EXPECT_EQ(started.arguments, QStringList{QStringLiteral("level.lev")});
    EXPECT_EQ(requests_, QStringList{QStringLiteral("sv")});
    // Both programs share the per-user settings and data folders under these names.
    EXPECT_EQ(QApplication::organizationName(), QStringLiteral("Brackwater Works"));
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Trundlex"));
}

TEST_F(ProgramStartTest, WithoutOptionsTheSystemLanguageIsAskedForAndNoQuit) {
    const ProgramStart started = start({QStringLiteral("trundlex")});
    EXPECT_FALSE(started.quitAfterStart);
    EXPECT_TRUE(started.arguments.isEmpty());
    EXPECT_EQ(requests_, QStringList{QString()}) << "an empty request follows the system";
}

}  // namespace
}  // namespace trundlex
