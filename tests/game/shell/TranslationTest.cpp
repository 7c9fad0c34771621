// The Swedish user interface: the translation loads, and no text of the program is left
// untranslated. Runs lupdate over the sources into a copy of the translation file, so a new
// text that nobody translated fails here.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>

#include "Language.h"
#include "MainFrame.h"
#include "MatchResultsDialog.h"
#include "play/Match.h"
#include "platform/AboutDialog.h"
#include "platform/SaveErrorText.h"
#include "support/TempFolder.h"
#include "util/FileLock.h"
#include "support/TranslationCheck.h"

namespace trundlex {
namespace {

const QString kSourceDir = QStringLiteral(TRUNDLEX_SOURCE_DIR);

TEST(Translation, EveryTextOfTheProgramIsTranslatedAndTheEnglishHoldsNoSwedish) {
    const QStringList sources = testing::expectEveryTextTranslated(
        QStringLiteral(TRUNDLEX_LUPDATE), kSourceDir, QStringLiteral("trundlex_sv.ts"),
        {QStringLiteral("game/shell"), QStringLiteral("qt"), QStringLiteral("../web/src/texts.js")},
        "fill_sv.py");
    ASSERT_GT(sources.size(), 100);
    // Letters English never uses, and words of the game's Swedish that are no English words.
    const QRegularExpression swedish(
        QStringLiteral("[åäöÅÄÖ]|\\b(spel|spelare|lokalt|klient|dator|datorer|bana|banor|"
                       "bansamling|och|att|inte|hål|slag|topplista|välj|avbryt)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    for (const QString& source : sources) {
        EXPECT_FALSE(swedish.match(source).hasMatch()) << source.toStdString();
    }
}

TEST(Translation, SwedishIsChosenByOptionWithQtsOwnTexts) {
    const char* context = "trundlex::SplashDialog";
    const char* text = "Reading files, please wait...";
    const char* lobby = "trundlex::LobbyDialog";
    const char* computers = "%n computer(s) connected";
    EXPECT_EQ(installLanguage(*QCoreApplication::instance(), QStringLiteral("en")),
              QStringLiteral("en"));
    EXPECT_EQ(QCoreApplication::translate(context, text), QString::fromLatin1(text));
    EXPECT_EQ(QCoreApplication::translate(lobby, computers, nullptr, 1),
              QStringLiteral("1 computer connected"));
    EXPECT_EQ(QCoreApplication::translate(lobby, computers, nullptr, 3),
              QStringLiteral("3 computers connected"));
    EXPECT_EQ(installLanguage(*QCoreApplication::instance(), QStringLiteral("sv")),
              QStringLiteral("sv"));
    EXPECT_EQ(QLocale().language(), QLocale::Swedish);
    EXPECT_EQ(QCoreApplication::translate(context, text), QStringLiteral("Läser filer, vänta..."));
    EXPECT_EQ(QCoreApplication::translate(lobby, computers, nullptr, 1),
              QStringLiteral("1 dator ansluten"));
    EXPECT_EQ(QCoreApplication::translate(lobby, computers, nullptr, 2),
              QStringLiteral("2 datorer anslutna"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Avbryt"));
    EXPECT_EQ(MainFrame::aboutContent().windowTitle, QStringLiteral("Om Trundlex"));
    // Why the high scores could not be saved, whole in Swedish: another window of the game
    // holding the file's lock too long.
    const testing::TempFolder folder;
    const std::string scores = folder / "highscore.dat";
    const FileLock holder(scores);
    const FileLock late(scores, std::chrono::milliseconds(20));
    ASSERT_FALSE(late.locked());
    EXPECT_EQ(saveErrorText(late.error()),
              QStringLiteral("ett annat program använder %1 och släppte den inte inom 1 sekund")
                  .arg(QString::fromStdString(scores)));
}

TEST(Translation, TheResultsScreenSpeaksSwedish) {
    ASSERT_EQ(installLanguage(*QCoreApplication::instance(), QStringLiteral("sv")),
              QStringLiteral("sv"));
    Match match;
    match.AddLevel("hole");
    match.AddPlayer("Ann", 0, 0, false, Player::LocalConnection).AddStroke(0);
    match.AddPlayer("Bob", 0, 0, false, 3).AddStroke(0);  // on another computer
    while (match.NextHole()) {
    }
    const MatchResultsDialog dialog(match, {1}, {});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Spelet är slut"));
    EXPECT_EQ(dialog.headline(), QStringLiteral("Ann och Bob delar på segern!"));
    EXPECT_EQ(dialog.rows(), (QStringList{QStringLiteral("1\tAnn (du)\t1\tPar"),
                                         QStringLiteral("1\tBob\t1\tPar")}));
    EXPECT_EQ(dialog.playAgainButton()->text(), QStringLiteral("&Spela igen"));
}

}  // namespace
}  // namespace trundlex
