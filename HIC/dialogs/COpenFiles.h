#pragma once

// "Select Files": one resultant or three axis files, UDS-1992 or ASCII.

#include "HIC/document/IHicUi.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kxplatform {
class CSettings;
}

namespace hic {

class COpenFiles : public QDialog {
    Q_OBJECT
public:
    COpenFiles(const OpenFilesValues &values, kxplatform::CSettings &settings, QWidget *parent = nullptr);
    OpenFilesValues Values() const;

    // The file dialog of the Browse buttons: title, start folder, filters, chosen
    // filter in and out; returns the file or an empty text. Tests replace it.
    std::function<QString(const QString &, const QString &, const QString &, QString &)> chooseFile;

    QRadioButton *UdsRadio() const { return m_uds; }
    QRadioButton *AsciiRadio() const { return m_ascii; }
    QRadioButton *ResultantRadio() const { return m_resultant; }
    QRadioButton *ComponentsRadio() const { return m_components; }
    QLineEdit *PathEdit(int axis) const { return m_paths[axis]; } // 0 resultant, 1 X, 2 Y, 3 Z
    QCheckBox *CheckHeaders() const { return m_checkHeaders; }
    QCheckBox *ApplyFilter() const { return m_applyFilter; }
    void Browse(int axis);

private:
    void UpdateEnabling();

    kxplatform::CSettings &m_settings;
    QRadioButton *m_uds;
    QRadioButton *m_ascii;
    QRadioButton *m_resultant;
    QRadioButton *m_components;
    QLineEdit *m_paths[4];
    QCheckBox *m_checkHeaders;
    QCheckBox *m_applyFilter;
};

} // namespace hic
