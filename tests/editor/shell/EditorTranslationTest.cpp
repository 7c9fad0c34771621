// The editor's Swedish user interface: its translation is embedded and chosen by option, and
// no text of the editor is left untranslated. Runs lupdate over the editor's sources and the
// platform library it shows texts of into a copy of the translation file, so a new text that
// nobody translated fails here.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QToolButton>

#include "CMainFrame.h"
#include "EditorLanguage.h"
#include "SlopePicker.h"
#include "level/Material.h"
#include "platform/SaveErrorText.h"
#include "platform/AboutDialog.h"
#include "support/TranslationCheck.h"
#include "util/SafeFile.h"

namespace trundlex {
namespace {

const QString kSourceDir = QStringLiteral(TRUNDLEX_SOURCE_DIR);

QString translated(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

TEST(EditorTranslation, EveryTextOfTheEditorIsTranslated) {
    testing::expectEveryTextTranslated(QStringLiteral(TRUNDLEX_LUPDATE), kSourceDir,
                                       QStringLiteral("trundlex-editor_sv.ts"),
                                       {QStringLiteral("editor"), QStringLiteral("qt")},
                                       "fill_editor_sv.py");
}

TEST(EditorTranslation, SwedishIsChosenByOptionWithTheManualAndQtsOwnTexts) {
    EXPECT_EQ(installEditorLanguage(*QCoreApplication::instance(), QStringLiteral("en")),
              QStringLiteral("en"));
    EXPECT_EQ(translated("trundlex::EditorActions", "Test &mode"), QStringLiteral("Test &mode"));
    EXPECT_TRUE(manualUrl().toLocalFile().endsWith(QStringLiteral("/index.html")));
    EXPECT_EQ(installEditorLanguage(*QCoreApplication::instance(), QStringLiteral("sv")),
              QStringLiteral("sv"));
    EXPECT_EQ(QLocale().language(), QLocale::Swedish);
    EXPECT_EQ(translated("trundlex::EditorActions", "Test &mode"), QStringLiteral("&Testläge"));
    EXPECT_EQ(translated("QPlatformTheme", "Cancel"), QStringLiteral("Avbryt"));
    // The platform library's about box, in the editor's translation.
    EXPECT_EQ(CMainFrame::aboutContent().windowTitle, QStringLiteral("Om Trundlex Editor"));
    EXPECT_TRUE(manualUrl().toLocalFile().endsWith(QStringLiteral("/index-se.html")));
    // Why a save failed, as the file layer words it, in Swedish too.
    std::string error;
    ASSERT_FALSE(writeFileSafely("/no-such-folder/a.lev", "level", &error));
    EXPECT_EQ(saveErrorText(error),
              QStringLiteral("kan inte skapa en tillfällig fil bredvid /no-such-folder/a.lev: "
                             "mappen finns inte"));
}

TEST(EditorTranslation, TheSlopePickersButtonsAreNamedInTheUsersLanguage) {
    // The English names are checked with the editor's view; here the Swedish ones.
    installEditorLanguage(*QCoreApplication::instance(), QStringLiteral("sv"));
    SlopePicker back(BlockPart::Back);
    SlopePicker front(BlockPart::Front);
    const std::pair<std::int32_t, QString> swedish[] = {
        {SlopeRight, QStringLiteral("Nedför åt höger")},
        {SlopeUp, QStringLiteral("Nedför mot överkanten")},
        {SlopeDownLeft, QStringLiteral("Nedför snett ned åt vänster")},
        {Flat, QStringLiteral("Plan")},
    };
    for (const SlopePicker* picker : {&back, &front}) {
        for (const auto& [slope, name] : swedish) {
            EXPECT_EQ(picker->button(slope)->accessibleName(), name);
            EXPECT_TRUE(picker->button(slope)->toolTip().endsWith(name));
            EXPECT_TRUE(picker->button(slope)->toolTip().startsWith(QStringLiteral("Lutning")));
        }
    }
    EXPECT_EQ(back.caption().text(), QStringLiteral("Bakgrund"));
    EXPECT_EQ(front.caption().text(), QStringLiteral("Förgrund"));
    EXPECT_TRUE(front.button(Flat)->toolTip().contains(QStringLiteral("förgrundsmaterial")));
}

}  // namespace
}  // namespace trundlex
