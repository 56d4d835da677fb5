#pragma once

// The four-field label dialog: title, subtitle and the axis labels of a plot, under
// the caption and field labels the program gives.

#include "shared_ui/kit/PlotLabels.h"

#include <QDialog>
#include <QString>

class QLineEdit;

namespace kxres {

// The texts shown beside the four edits.
struct CPlotLabelNames {
    QString title;
    QString subTitle;
    QString xLabel;
    QString yLabel;
};

class CPlotLabelDlg : public QDialog {
    Q_OBJECT
public:
    CPlotLabelDlg(const QString &caption, const CPlotLabelNames &names, QWidget *parent = nullptr);

    void SetLabels(const CPlotLabels &labels);
    // The texts as typed.
    CPlotLabels Labels() const;

    QLineEdit *TitleEdit() const { return m_title; }
    QLineEdit *SubtitleEdit() const { return m_subTitle; }
    QLineEdit *XLabelEdit() const { return m_xLabel; }
    QLineEdit *YLabelEdit() const { return m_yLabel; }

private:
    QLineEdit *m_title = nullptr;
    QLineEdit *m_subTitle = nullptr;
    QLineEdit *m_xLabel = nullptr;
    QLineEdit *m_yLabel = nullptr;
};

} // namespace kxres
