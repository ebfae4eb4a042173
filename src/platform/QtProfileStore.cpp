#include "platform/QtProfileStore.h"

#include "app/Messages.h"
#include "platform/Prompter.h"

namespace tarn {

namespace {
QString keyPath(std::string_view section, std::string_view key)
{
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + u'/'
        + QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}
} // namespace

QtProfileStore::QtProfileStore(Prompter& prompter)
    : m_prompter(prompter)
    , m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarn"),
                 QStringLiteral("tarn-console"))
{
}

QtProfileStore::QtProfileStore(Prompter& prompter, const QString& iniPath)
    : m_prompter(prompter)
    , m_settings(iniPath, QSettings::IniFormat)
{
}

int QtProfileStore::readInt(std::string_view section, std::string_view key, int fallback) const
{
    const QVariant value = m_settings.value(keyPath(section, key));
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : fallback;
}

std::optional<std::string> QtProfileStore::readString(std::string_view section,
                                                      std::string_view key) const
{
    const QVariant value = m_settings.value(keyPath(section, key));
    if (!value.isValid())
        return std::nullopt;
    return value.toString().toStdString();
}

void QtProfileStore::writeInt(std::string_view section, std::string_view key, int value)
{
    write(section, key, value);
}

void QtProfileStore::writeString(std::string_view section, std::string_view key,
                                 std::string_view value)
{
    write(section, key, QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

void QtProfileStore::write(std::string_view section, std::string_view key, const QVariant& value)
{
    m_settings.setValue(keyPath(section, key), value);
    m_settings.sync();
    if (m_settings.status() == QSettings::NoError || m_failureReported)
        return;
    m_failureReported = true;
    const std::string path = m_settings.fileName().toStdString();
    m_prompter.showMessage(Messages::format(Messages::SettingsNotSaved, path.c_str()),
                           Messages::SettingsErrorTitle, MessageIcon::Warning);
}

} // namespace tarn
