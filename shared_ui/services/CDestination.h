#pragma once

// The folder chooser of the programs: starts on an initial folder and shows the
// full path of the current selection in its status line.

#include "shared_ui/services/CBrowseForFolder.h"

class CDestination : public CBrowseForFolder {
public:
    explicit CDestination(QWidget *owner, const QString &title = {});
    ~CDestination() override = default;

    // Runs a chooser titled title that starts on folder; true with folder replaced by the
    // chosen one, false on Cancel (folder unchanged).
    static bool Choose(QWidget *owner, const QString &title, QString &folder);

    void SetInitialFolder(const QString &path) { m_initialFolder = path; }
    void SetInitialFolder(const std::string &path) { m_initialFolder = QString::fromStdString(path); }
    QString GetInitialFolder() const { return m_initialFolder; }

protected:
    void OnInit() override;
    void OnSelChanged(const QString &path) override;

private:
    QString m_initialFolder;
};
