#include "PlatformSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <chrono>
#include <thread>

namespace trundlex {

QString programFolder() {
    if (QCoreApplication::instance() != nullptr) {
        return QCoreApplication::applicationDirPath();
    }
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
}

QString dataFolder(const QString& name) {
    if (name.isEmpty()) {
        return {};
    }
    const QDir bin(programFolder());
    QStringList candidates{bin.filePath(name),
                           bin.filePath(QStringLiteral("../share/trundlex/") + name)};
    for (const QString& location :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        candidates.append(QDir(location).filePath(QStringLiteral("trundlex/") + name));
    }
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir()) {
            return QDir::cleanPath(candidate);
        }
    }
    return {};
}

QString userWritableFolder(const QString& name) {
    // Only a folder right beside the program counts: an installed one stays the
    // installation's even for a user (root) who could write into it.
    const QFileInfo beside(QDir(programFolder()).filePath(name));
    if (!name.isEmpty() && beside.isDir() && beside.isWritable()) {
        return QDir::cleanPath(beside.filePath());
    }
    return userDataFolder() + name;
}

QString soundBaseFolder() {
    const QString sounds = dataFolder(QStringLiteral("sounds"));
    return sounds.isEmpty() ? QDir::currentPath() : QFileInfo(sounds).path();
}

QString userDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Trundlex/");
}

QString toDisplayText(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) {
        return text;
    }
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool pumpGuiEvents() {
    if (QCoreApplication::closingDown()) {
        return false;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    std::this_thread::sleep_for(std::chrono::microseconds(500));
    return !QCoreApplication::closingDown();
}

}  // namespace trundlex
