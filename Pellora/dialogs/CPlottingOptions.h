#pragma once

// The plotting options: column labels when copying data, zoom kept between plots,
// the line style and the folder of the criterion programs.

#include "Pellora/document/IPelloraUi.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace pellora {

class CPlottingOptions : public QDialog {
    Q_OBJECT
public:
    explicit CPlottingOptions(QWidget *parent = nullptr);

    void SetOptions(const CPlottingOptionValues &options);
    CPlottingOptionValues GetOptions() const { return m_options; }
    void SetSuiteDirectoryText(const QString &folder);

    void accept() override;

private:
    void OnBrowse();

    CPlottingOptionValues m_options;
    QCheckBox *m_columnHeaders = nullptr;
    QCheckBox *m_saveZoom = nullptr;
    std::array<QRadioButton *, 4> m_styles{};
    QLineEdit *m_folder = nullptr;
};

} // namespace pellora
