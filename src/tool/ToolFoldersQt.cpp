#include "ToolFolders.h"

#include "platform/PlatformSupport.h"

namespace trundlex::tool {

namespace {

QString qtName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

std::string shippedFolder(std::string_view name) {
    return dataFolder(qtName(name)).toStdString();
}

std::string userFolder(std::string_view name) {
    return (userDataFolder() + qtName(name)).toStdString();
}

}  // namespace trundlex::tool
