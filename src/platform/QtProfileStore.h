#pragma once

#include "core/ProfileStore.h"

#include <QSettings>

#include <memory>

namespace tarn {

class Prompter;

// The profile in the user's settings file: organisation "Tarn", application
// "tarn-console" ($XDG_CONFIG_HOME/Tarn/tarn-console.conf on Linux). Each write
// is synced to the file at once, so a console killed right after a change has
// kept it. When the file cannot be written the user is told, once per run. A
// file that cannot be read (garbled) is kept beside it as a backup and
// replaced by the defaults, and the user is told so once.
class QtProfileStore final : public ProfileStore {
public:
    explicit QtProfileStore(Prompter& prompter);
    // For tests: a settings file at a given path.
    QtProfileStore(Prompter& prompter, const QString& iniPath);

    int readInt(std::string_view section, std::string_view key, int fallback) const override;
    std::optional<std::string> readString(std::string_view section,
                                          std::string_view key) const override;
    void writeInt(std::string_view section, std::string_view key, int value) override;
    void writeString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    QString fileName() const { return m_settings->fileName(); }
    bool writeFailed() const { return m_failureReported; }

private:
    std::unique_ptr<QSettings> openSettings() const;
    void setAsideUnreadableFile();
    void write(std::string_view section, std::string_view key, const QVariant& value);

    Prompter& m_prompter;
    QString m_iniPath; // empty: the user's own settings file
    std::unique_ptr<QSettings> m_settings;
    bool m_failureReported = false;
};

} // namespace tarn
