#pragma once

// "Enter the Labels for the Plot": title, subtitle and the axis labels.

#include "Sorvelt/document/ISorveltUi.h"

#include <QDialog>

class QLineEdit;

namespace sorvelt {

class CPlotLabelDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPlotLabelDlg(QWidget *parent = nullptr);

    void SetLabels(const CPlotLabels &labels);
    const CPlotLabels &GetLabels() const { return m_labels; }
    void accept() override;

private:
    CPlotLabels m_labels;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_subTitle = nullptr;
    QLineEdit *m_xLabel = nullptr;
    QLineEdit *m_yLabel = nullptr;
};

} // namespace sorvelt
