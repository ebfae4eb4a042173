#include "platform/QtProfileStore.h"

#include "core/Messages.h"
#include "platform/Prompter.h"

#include <QFile>

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
    , m_settings(openSettings())
{
    setAsideUnreadableFile();
}

QtProfileStore::QtProfileStore(Prompter& prompter, const QString& iniPath)
    : m_prompter(prompter)
    , m_iniPath(iniPath)
    , m_settings(openSettings())
{
    setAsideUnreadableFile();
}

std::unique_ptr<QSettings> QtProfileStore::openSettings() const
{
    if (!m_iniPath.isEmpty())
        return std::make_unique<QSettings>(m_iniPath, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarn"),
                                       QStringLiteral("tarn-console"));
}

void QtProfileStore::setAsideUnreadableFile()
{
    if (m_settings->status() != QSettings::FormatError)
        return;
    // The first write would replace the file with what could be read of it:
    // the technician's unreadable file is kept under a name of its own.
    const QString path = m_settings->fileName();
    QString backup = path + QStringLiteral(".unreadable");
    for (int n = 2; QFile::exists(backup) && n < 100; ++n)
        backup = path + QStringLiteral(".unreadable-") + QString::number(n);
    m_settings.reset();
    if (!QFile::rename(path, backup)) {
        // Kept where it is; the settings read from it are used as far as they go.
        m_settings = openSettings();
        return;
    }
    m_settings = openSettings();
    m_prompter.showMessage(Messages::format(Messages::SettingsUnreadable, backup.toStdString().c_str()),
                           Messages::SettingsErrorTitle, MessageIcon::Warning);
}

int QtProfileStore::readInt(std::string_view section, std::string_view key, int fallback) const
{
    const QVariant value = m_settings->value(keyPath(section, key));
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : fallback;
}

std::optional<std::string> QtProfileStore::readString(std::string_view section,
                                                      std::string_view key) const
{
    const QVariant value = m_settings->value(keyPath(section, key));
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
    m_settings->setValue(keyPath(section, key), value);
    m_settings->sync();
    // A format error is about what was read, not a failed write.
    if (m_settings->status() != QSettings::AccessError || m_failureReported)
        return;
    m_failureReported = true;
    const std::string path = m_settings->fileName().toStdString();
    m_prompter.showMessage(Messages::format(Messages::SettingsNotSaved, path.c_str()),
                           Messages::SettingsErrorTitle, MessageIcon::Warning);
}

} // namespace tarn
