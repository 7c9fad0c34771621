#include "QtSettingsStore.h"

namespace trundlex {

namespace {

// QSettings already places everything under the organisation and application.
constexpr std::string_view kRoot = "Software\\Brackwater Works\\Trundlex";

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Brackwater Works"),
                                            QStringLiteral("Trundlex"))) {}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings)
    : settings_(std::move(settings)) {}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::settingsPath(const std::string& key, const std::string& name) const {
    std::string_view rest = key;
    if (rest.starts_with(kRoot)) {
        rest.remove_prefix(kRoot.size());
    }
    while (!rest.empty() && rest.front() == '\\') {
        rest.remove_prefix(1);
    }
    QString path = QString::fromUtf8(rest.data(), static_cast<qsizetype>(rest.size()));
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.isEmpty()) {
        path += QLatin1Char('/');
    }
    return path + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

bool QtSettingsStore::createKey(const std::string&) {
    // Keys of QSettings come into being with their first value.
    return settings_->status() == QSettings::NoError;
}

std::optional<SettingsValue> QtSettingsStore::read(const std::string& key,
                                                   const std::string& name) {
    const QVariant value = settings_->value(settingsPath(key, name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        return SettingsValue{SettingsValueType::Binary,
                             std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))};
    }
    const QByteArray text = value.toString().toUtf8();
    return SettingsValue{SettingsValueType::String,
                         std::string(text.constData(), static_cast<std::size_t>(text.size()))};
}

bool QtSettingsStore::write(const std::string& key, const std::string& name,
                            const SettingsValue& value, bool flush) {
    const QString path = settingsPath(key, name);
    if (value.type == SettingsValueType::Binary) {
        settings_->setValue(path, QByteArray(value.bytes.data(),
                                             static_cast<qsizetype>(value.bytes.size())));
    } else {
        settings_->setValue(path, QString::fromUtf8(value.bytes.data(),
                                                    static_cast<qsizetype>(value.bytes.size())));
    }
    if (flush) {
        settings_->sync();
    }
    return settings_->status() == QSettings::NoError;
}

}  // namespace trundlex
