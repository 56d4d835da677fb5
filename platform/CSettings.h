#pragma once

// Program settings: an ini file per program in the user's configuration folder,
// under the suite's organisation, values in the section "Settings".

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QSettings;

namespace kxplatform {

class CSettings {
public:
    static constexpr const char *Organisation = "Varnex Zudirevedovidiv";
    static constexpr const char *DefaultSection = "Settings";

    // program: the settings file's name (empty: the running application's name).
    explicit CSettings(const QString &program = QString(), const QString &section = DefaultSection);
    ~CSettings();
    CSettings(const CSettings &) = delete;
    CSettings &operator=(const CSettings &) = delete;

    std::string GetString(std::string_view key, std::string_view fallback = {}) const;
    int GetInt(std::string_view key, int fallback = 0) const;
    double GetDouble(std::string_view key, double fallback = 0.0) const;
    bool GetBool(std::string_view key, bool fallback = false) const;
    QVariant GetValue(std::string_view key, const QVariant &fallback = {}) const;

    void SetString(std::string_view key, std::string_view value);
    void SetInt(std::string_view key, int value);
    void SetDouble(std::string_view key, double value);
    void SetBool(std::string_view key, bool value);
    void SetValue(std::string_view key, const QVariant &value);

    bool Contains(std::string_view key) const;
    void Remove(std::string_view key);

    // Writes pending changes to the file, readable by its owner alone (it may hold the
    // usage database's password); false when the file could not be written. The first
    // failure for a file is handed to the write-failure handler.
    bool Sync();

    // Told once per settings file and process that changes could not be written.
    using WriteFailureHandler = std::function<void(const QString &fileName)>;
    static void SetWriteFailureHandler(WriteFailureHandler handler);
    QString FileName() const;
    QString Section() const { return m_section; }

private:
    QString Key(std::string_view key) const;

    std::unique_ptr<QSettings> m_settings;
    QString m_section;
};

} // namespace kxplatform
