#pragma once

// The most-recently-used file list of a program, kept in its settings under
// "Recent File List" as File1, File2, ...

#include <QString>
#include <QStringList>

class CRecentFileList {
public:
    static constexpr const char *Section = "Recent File List";

    CRecentFileList(const QString &program, int size);

    int Size() const { return m_size; }
    const QStringList &Files() const { return m_files; }

    void Load();
    void Save() const;
    // Puts the file first; a file already listed moves up, the oldest falls off.
    void Add(const QString &path);
    void Remove(int index);

private:
    QString m_program;
    int m_size;
    QStringList m_files;
};
