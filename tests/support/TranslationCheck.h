#pragma once

#include <gtest/gtest.h>

#include <QDomDocument>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace trundlex::testing {

// Runs lupdate over `sourceDirs` into a copy of the translation file `tsFile`, so texts added
// to the sources since the file was last updated show up, and collects every source text that
// has no finished translation. `messageCount` receives how many texts the file holds. Fails the
// calling test (and returns nothing) when lupdate or the file cannot be used. `sources`, when
// given, receives every source text found.
inline QStringList untranslatedTexts(const QString& lupdatePath, const QString& tsFile,
                                     const QStringList& sourceDirs, int& messageCount,
                                     QStringList* sources = nullptr) {
    messageCount = 0;
    QTemporaryDir dir;
    EXPECT_TRUE(dir.isValid());
    const QString copy = dir.filePath(QStringLiteral("check.ts"));
    if (!QFile::copy(tsFile, copy)) {
        ADD_FAILURE() << "cannot copy " << tsFile.toStdString();
        return {};
    }
    QStringList arguments{QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                          QStringLiteral("none")};
    arguments << sourceDirs << QStringLiteral("-ts") << copy;
    QProcess lupdate;
    lupdate.start(lupdatePath, arguments);
    if (!lupdate.waitForFinished(60000) || lupdate.exitCode() != 0) {
        ADD_FAILURE() << "lupdate failed: " << lupdate.readAllStandardError().toStdString();
        return {};
    }
    QFile file(copy);
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file)) {
        ADD_FAILURE() << "cannot read the updated translation file";
        return {};
    }
    const QDomNodeList messages = document.elementsByTagName(QStringLiteral("message"));
    messageCount = messages.count();
    QStringList untranslated;
    for (int i = 0; i < messages.count(); ++i) {
        const QDomElement message = messages.at(i).toElement();
        const QDomElement translation = message.firstChildElement(QStringLiteral("translation"));
        if (sources != nullptr) {
            *sources << message.firstChildElement(QStringLiteral("source")).text();
        }
        if (translation.hasAttribute(QStringLiteral("type")) || translation.text().isEmpty()) {
            untranslated << message.firstChildElement(QStringLiteral("source")).text();
        }
    }
    return untranslated;
}

// Fails the calling test when the translation file `tsName` (under translations/ of the
// source tree) leaves a text of `sourceDirs` untranslated; the source texts found.
inline QStringList expectEveryTextTranslated(const QString& lupdatePath, const QString& sourceDir,
                                             const QString& tsName, const QStringList& sourceDirs,
                                             const char* fillScript) {
    int count = 0;
    QStringList sources;
    QStringList dirs;
    for (const QString& d : sourceDirs) {
        dirs << sourceDir + QStringLiteral("/src/") + d;
    }
    const QStringList untranslated = untranslatedTexts(
        lupdatePath, sourceDir + QStringLiteral("/translations/") + tsName, dirs, count, &sources);
    EXPECT_GT(count, 100);
    EXPECT_TRUE(untranslated.isEmpty())
        << "untranslated (run translations/" << fillScript << " after adding them): "
        << untranslated.join(QStringLiteral(" | ")).toStdString();
    return sources;
}

}  // namespace trundlex::testing
