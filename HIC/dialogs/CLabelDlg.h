#pragma once

// "Enter Lables for the Plot": title, subtitle and the two axis labels.

#include "HIC/document/IHicUi.h"

#include <QDialog>

class QLineEdit;

namespace hic {

class CLabelDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLabelDlg(QWidget *parent = nullptr);
    void SetLabels(const PlotLabels &labels);
    PlotLabels Labels() const;

    QLineEdit *TitleEdit() const { return m_title; }
    QLineEdit *SubtitleEdit() const { return m_subtitle; }
    QLineEdit *XLabelEdit() const { return m_xLabel; }
    QLineEdit *YLabelEdit() const { return m_yLabel; }

private:
    QLineEdit *m_title;
    QLineEdit *m_subtitle;
    QLineEdit *m_xLabel;
    QLineEdit *m_yLabel;
};

} // namespace hic
