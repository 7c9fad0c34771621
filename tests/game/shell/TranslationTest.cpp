// The Swedish user interface: the translation loads, and no text of the program is left
// untranslated. Runs lupdate over the sources into a copy of the translation file, so a new
// text that nobody translated fails here.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "Language.h"
#include "MainFrame.h"
#include "platform/AboutDialog.h"
#include "support/TranslationCheck.h"

namespace trundlex {
namespace {

const QString kSourceDir = QStringLiteral(TRUNDLEX_SOURCE_DIR);

TEST(Translation, EveryTextOfTheProgramIsTranslated) {
    int count = 0;
    const QStringList untranslated = testing::untranslatedTexts(
        QStringLiteral(TRUNDLEX_LUPDATE),
        kSourceDir + QStringLiteral("/translations/trundlex_sv.ts"),
        {kSourceDir + QStringLiteral("/src/game/shell"), kSourceDir + QStringLiteral("/src/qt")},
        count);
    ASSERT_GT(count, 100);
    EXPECT_TRUE(untranslated.isEmpty())
        << "untranslated (run translations/fill_sv.py after adding them): "
        << untranslated.join(QStringLiteral(" | ")).toStdString();
}

TEST(Translation, SwedishIsChosenByOptionWithQtsOwnTexts) {
    const char* context = "trundlex::SplashDialog";
    const char* text = "Reading files, please wait...";
    EXPECT_EQ(installLanguage(*QCoreApplication::instance(), QStringLiteral("en")),
              QStringLiteral("en"));
    EXPECT_EQ(QCoreApplication::translate(context, text), QString::fromLatin1(text));
    EXPECT_EQ(installLanguage(*QCoreApplication::instance(), QStringLiteral("sv")),
              QStringLiteral("sv"));
    EXPECT_EQ(QLocale().language(), QLocale::Swedish);
    EXPECT_EQ(QCoreApplication::translate(context, text), QStringLiteral("Läser filer, vänta...."));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Avbryt"));
    EXPECT_EQ(MainFrame::aboutContent().windowTitle, QStringLiteral("Om Trundlex"));
}

}  // namespace
}  // namespace trundlex
