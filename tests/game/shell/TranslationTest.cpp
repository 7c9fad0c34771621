// The Swedish user interface: the translation loads, and no text of the program is left
// untranslated. Runs lupdate over the sources into a copy of the translation file, so a new
// text that nobody translated fails here.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDomDocument>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include "Language.h"

namespace trundlex {
namespace {

const QString kSourceDir = QStringLiteral(TRUNDLEX_SOURCE_DIR);

TEST(Translation, EveryTextOfTheProgramIsTranslated) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString copy = dir.filePath(QStringLiteral("check_sv.ts"));
    ASSERT_TRUE(QFile::copy(kSourceDir + QStringLiteral("/translations/trundlex_sv.ts"), copy));
    QProcess lupdate;
    lupdate.start(QStringLiteral(TRUNDLEX_LUPDATE),
                  {QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                   QStringLiteral("none"), kSourceDir + QStringLiteral("/src/game/shell"),
                   kSourceDir + QStringLiteral("/src/core/render"), QStringLiteral("-ts"), copy});
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
        << "untranslated (run translations/fill_sv.py after adding them): "
        << untranslated.join(QStringLiteral(" | ")).toStdString();
}

TEST(Translation, SwedishIsChosenByOptionAndLocale) {
    EXPECT_EQ(installLanguage(*QCoreApplication::instance(), QStringLiteral("en")),
              QStringLiteral("en"));
    EXPECT_EQ(QCoreApplication::translate("trundlex::SplashDialog", "Reading files, please wait..."),
              QStringLiteral("Reading files, please wait..."));

    EXPECT_EQ(installLanguage(*QCoreApplication::instance(), QStringLiteral("sv")),
              QStringLiteral("sv"));
    EXPECT_EQ(QLocale().language(), QLocale::Swedish);
    EXPECT_EQ(QCoreApplication::translate("trundlex::SplashDialog", "Reading files, please wait..."),
              QStringLiteral("Läser filer, vänta...."));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Avbryt"));
}

}  // namespace
}  // namespace trundlex
