#include "platform/CSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QSettings>

namespace kxplatform {

namespace {

QString ProgramName(const QString &program)
{
    if (!program.isEmpty())
        return program;
    const QString app = QCoreApplication::applicationName();
    return app.isEmpty() ? QStringLiteral("Kx") : app;
}

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

struct FailureState {
    QMutex mutex;
    CSettings::WriteFailureHandler handler;
    QSet<QString> told;
};

FailureState &Failures()
{
    static FailureState state;
    return state;
}

void ReportWriteFailure(const QString &fileName)
{
    CSettings::WriteFailureHandler handler;
    {
        FailureState &state = Failures();
        QMutexLocker lock(&state.mutex);
        if (!state.handler || state.told.contains(fileName))
            return;
        state.told.insert(fileName);
        handler = state.handler;
    }
    handler(fileName);
}

// A new settings file is made private before anything is written to it; the atomic
// rewrite keeps the permissions of the file it replaces.
void MakePrivate(const QString &fileName, bool pending)
{
    if (pending && !QFileInfo::exists(fileName)) {
        QDir().mkpath(QFileInfo(fileName).absolutePath());
        QFile file(fileName);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnly))
            file.close();
    }
    if (QFileInfo::exists(fileName) && QFile::permissions(fileName) != OwnerOnly)
        QFile::setPermissions(fileName, OwnerOnly);
}

} // namespace

void CSettings::SetWriteFailureHandler(WriteFailureHandler handler)
{
    FailureState &state = Failures();
    QMutexLocker lock(&state.mutex);
    state.handler = std::move(handler);
    state.told.clear();
}

CSettings::CSettings(const QString &program, const QString &section)
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QString::fromUtf8(Organisation), ProgramName(program)))
    , m_section(section)
{}

CSettings::~CSettings()
{
    // What was set and not yet synced is written here, so that a failure is told too.
    try {
        Sync();
    } catch (...) {}
}

QString CSettings::Key(std::string_view key) const
{
    return m_section.isEmpty() ? ToQString(key) : m_section + QLatin1Char('/') + ToQString(key);
}

QVariant CSettings::GetValue(std::string_view key, const QVariant &fallback) const
{
    return m_settings->value(Key(key), fallback);
}

std::string CSettings::GetString(std::string_view key, std::string_view fallback) const
{
    const QVariant v = m_settings->value(Key(key));
    if (!v.isValid())
        return std::string(fallback);
    return v.toString().toStdString();
}

int CSettings::GetInt(std::string_view key, int fallback) const
{
    bool ok = false;
    const int v = m_settings->value(Key(key)).toInt(&ok);
    return ok ? v : fallback;
}

double CSettings::GetDouble(std::string_view key, double fallback) const
{
    bool ok = false;
    const double v = m_settings->value(Key(key)).toDouble(&ok);
    return ok ? v : fallback;
}

bool CSettings::GetBool(std::string_view key, bool fallback) const
{
    const QVariant v = m_settings->value(Key(key));
    if (!v.isValid())
        return fallback;
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return fallback;
}

void CSettings::SetValue(std::string_view key, const QVariant &value)
{
    m_settings->setValue(Key(key), value);
}

void CSettings::SetString(std::string_view key, std::string_view value)
{
    m_settings->setValue(Key(key), ToQString(value));
}

void CSettings::SetInt(std::string_view key, int value)
{
    m_settings->setValue(Key(key), value);
}

void CSettings::SetDouble(std::string_view key, double value)
{
    m_settings->setValue(Key(key), value);
}

void CSettings::SetBool(std::string_view key, bool value)
{
    m_settings->setValue(Key(key), value);
}

bool CSettings::Contains(std::string_view key) const
{
    return m_settings->contains(Key(key));
}

void CSettings::Remove(std::string_view key)
{
    m_settings->remove(Key(key));
}

bool CSettings::Sync()
{
    const QString fileName = m_settings->fileName();
    // Keys while the file does not exist yet are keys waiting to be written.
    MakePrivate(fileName, !QFileInfo::exists(fileName) && !m_settings->allKeys().isEmpty());
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError)
        return true;
    ReportWriteFailure(fileName);
    return false;
}

QString CSettings::FileName() const
{
    return m_settings->fileName();
}

} // namespace kxplatform
