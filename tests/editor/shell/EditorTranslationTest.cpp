// The editor's Swedish user interface: its translation is embedded and chosen by option, and
// no text of the editor is left untranslated. Runs lupdate over the editor's sources into a
// copy of the translation file, so a new text that nobody translated fails here.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include "EditorAboutDialog.h"
#include "EditorLanguage.h"

namespace trundlex {
namespace {

const QString kSourceDir = QStringLiteral(TRUNDLEX_SOURCE_DIR);

QString translated(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

TEST(EditorTranslation, EveryTextOfTheEditorIsTranslated) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString copy = dir.filePath(QStringLiteral("check_sv.ts"));
    ASSERT_TRUE(
        QFile::copy(kSourceDir + QStringLiteral("/translations/trundlex-editor_sv.ts"), copy));
    QProcess lupdate;
    lupdate.start(
        QStringLiteral(TRUNDLEX_LUPDATE),
        {QStringLiteral("-no-obsolete"), QStringLiteral("-locations"), QStringLiteral("none"),
         kSourceDir + QStringLiteral("/src/editor"), QStringLiteral("-ts"), copy});
    ASSERT_TRUE(lupdate.waitForFinished(60000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QDomDocument document;
    ASSERT_TRUE(document.setContent(&file));
    const QDomNodeList messages = document.elementsByTagName(QStringLiteral("message"));
    ASSERT_GT(messages.count(), 100);
    QStringList untranslated;
    for (int i = 0; i < messages.count(); ++i) {
        const QDomElement message = messages.at(i).toElement();
        const QDomElement translation = message.firstChildElement(QStringLiteral("translation"));
        if (translation.hasAttribute(QStringLiteral("type")) || translation.text().isEmpty()) {
            untranslated << message.firstChildElement(QStringLiteral("source")).text();
        }
    }
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
