// The editor's Swedish user interface: its translation is embedded and chosen by option, and
// no text of the editor is left untranslated. Runs lupdate over the editor's sources into a
// copy of the translation file, so a new text that nobody translated fails here.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>

#include "EditorAboutDialog.h"
#include "EditorLanguage.h"
#include "support/TranslationCheck.h"

namespace trundlex {
namespace {

const QString kSourceDir = QStringLiteral(TRUNDLEX_SOURCE_DIR);

QString translated(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

TEST(EditorTranslation, EveryTextOfTheEditorIsTranslated) {
    int count = 0;
    const QStringList untranslated = testing::untranslatedTexts(
        QStringLiteral(TRUNDLEX_LUPDATE),
        kSourceDir + QStringLiteral("/translations/trundlex-editor_sv.ts"),
        {kSourceDir + QStringLiteral("/src/editor")}, count);
    ASSERT_GT(count, 100);
    EXPECT_TRUE(untranslated.isEmpty())
        << "untranslated (run translations/fill_editor_sv.py after adding them): "
        << untranslated.join(QStringLiteral(" | ")).toStdString();
}

TEST(EditorTranslation, SwedishIsChosenByOptionWithTheTextsTheEditorNeeds) {
    EXPECT_EQ(installEditorLanguage(*QCoreApplication::instance(), QStringLiteral("en")),
              QStringLiteral("en"));
    EXPECT_EQ(translated("trundlex::LevelPropertiesDialog", "Level Properties"),
              QStringLiteral("Level Properties"));
    EXPECT_TRUE(editorManualUrl().toLocalFile().endsWith(QStringLiteral("/index.html")));

    EXPECT_EQ(installEditorLanguage(*QCoreApplication::instance(), QStringLiteral("sv")),
              QStringLiteral("sv"));
    EXPECT_EQ(QLocale().language(), QLocale::Swedish);
    EXPECT_EQ(translated("trundlex::LevelPropertiesDialog", "Level Properties"),
              QStringLiteral("Banegenskaper"));
    EXPECT_EQ(translated("DialogPrompts", "Trundlex level file (*.lev)"),
              QStringLiteral("Trundlex banfil (*.lev)"));
    EXPECT_EQ(translated("trundlex::EditorActions", "Test &mode"), QStringLiteral("&Testläge"));
    EXPECT_EQ(translated("QPlatformTheme", "Cancel"), QStringLiteral("Avbryt"));
    EXPECT_TRUE(editorManualUrl().toLocalFile().endsWith(QStringLiteral("/index-se.html")));
}

}  // namespace
}  // namespace trundlex
