#pragma once

// A save dialog with the check box "Append to end of existing File": ticked, the
// file is appended to and no overwrite prompt comes up.

#include <QFileDialog>

class QCheckBox;

namespace pellora {

class CAppendFileDlg : public QFileDialog {
    Q_OBJECT
public:
    CAppendFileDlg(QWidget *parent, const QString &caption, const QString &folder, const QString &filter);

    bool IsAppend() const { return m_append; }
    void SetAppend(bool append);
    QCheckBox *AppendBox() const { return m_box; }

private:
    bool m_append = false;
    QCheckBox *m_box = nullptr;
};

} // namespace pellora
