#include "PlatformSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <chrono>
#include <thread>

namespace trundlex {

QString programFolder() { return QCoreApplication::applicationDirPath(); }

QString dataFolder(const QString& name) {
    const QDir bin(programFolder());
    for (const QString& candidate :
         {bin.filePath(name), bin.filePath(QStringLiteral("../share/trundlex/") + name)}) {
        if (QFileInfo(candidate).isDir()) {
            return QDir::cleanPath(candidate);
        }
    }
    return {};
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
