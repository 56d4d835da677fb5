#pragma once

// Choosing a folder on the platform's folder dialog, with hooks that run while
// the dialog is open.

#include <QPointer>
#include <QString>

#include <string>

#include <QFileDialog>
#include <QLabel>
class QWidget;

class CBrowseForFolder {
public:
    // Flags as the callers pass them: 1 file-system folders only, 4 a status line.
    enum Flags : unsigned { ReturnOnlyFileSystemDirs = 0x1, StatusText = 0x4 };

    CBrowseForFolder(QWidget *owner, const QString &root, const QString &title);
    virtual ~CBrowseForFolder() = 0;
    CBrowseForFolder(const CBrowseForFolder &) = delete;
    CBrowseForFolder &operator=(const CBrowseForFolder &) = delete;

    // Refused while the dialog is open.
    void SetOwner(QWidget *owner);
    void SetRoot(const QString &root);
    bool SetTitle(const QString &title);
    void SetFlags(unsigned flags);

    QString GetTitle() const { return m_title; }
    unsigned GetFlags() const { return m_flags; }

    // Runs the dialog; true with the chosen folder stored, false on Cancel (path unchanged).
    bool SelectFolder();
    QString GetFolderPath() const { return m_path; }
    std::string GetFolderPathString() const { return m_path.toStdString(); }

    bool IsOpen() const { return !m_dialog.isNull(); }
    // Only while the dialog is open; dropped otherwise.
    void SetSelection(const QString &path);
    void SetStatusText(const QString &text);
    QString GetStatusText() const;

    // The open dialog, else null.
    QFileDialog *Dialog() const { return m_dialog.data(); }

protected:
    virtual void OnInit() {}
    virtual void OnSelChanged(const QString &path) { (void)path; }

private:
    QPointer<QWidget> m_owner;
    QString m_root;
    QString m_title;
    unsigned m_flags = ReturnOnlyFileSystemDirs | StatusText;
    QString m_path;
    QPointer<QFileDialog> m_dialog;
    QPointer<QLabel> m_status;
};
