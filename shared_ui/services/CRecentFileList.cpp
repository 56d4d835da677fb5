#include "shared_ui/services/CRecentFileList.h"

#include "platform/CSettings.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

CRecentFileList::CRecentFileList(const QString &program, int size)
    : m_program(program)
    , m_size(std::max(0, size))
{}

void CRecentFileList::Load()
{
    m_files.clear();
    const kxplatform::CSettings settings(m_program, QLatin1String(Section));
    for (int i = 1; i <= m_size; ++i) {
        const QString name = settings.GetValue(QStringLiteral("File%1").arg(i).toStdString()).toString();
        if (!name.isEmpty() && !m_files.contains(name))
            m_files << name;
    }
}

void CRecentFileList::Save() const
{
    kxplatform::CSettings settings(m_program, QLatin1String(Section));
    for (int i = 1; i <= m_size; ++i) {
        const std::string key = QStringLiteral("File%1").arg(i).toStdString();
        if (i <= m_files.size())
            settings.SetValue(key, m_files[i - 1]);
        else
            settings.Remove(key);
    }
    settings.Sync();
}

void CRecentFileList::Add(const QString &path)
{
    if (m_size == 0 || path.isEmpty())
        return;
    const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    m_files.removeAll(full);
    m_files.prepend(full);
    while (m_files.size() > m_size)
        m_files.removeLast();
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_files.size())
        m_files.removeAt(index);
}
