#pragma once

// "Select Filter Class": CFC 60, 180, 600 or 1000.

#include <QDialog>

class QButtonGroup;

namespace sorvelt {

class CFilterClassDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFilterClassDlg(QWidget *parent = nullptr);

    // 60, 180, 600 or 1000; another value checks no button.
    void SetFilterClass(int filterClass);
    int GetFilterClass() const { return m_filterClass; }
    void accept() override;

    static int ClassOfIndex(int index);

private:
    QButtonGroup *m_group = nullptr;
    int m_filterClass = 1000;
};

} // namespace sorvelt
