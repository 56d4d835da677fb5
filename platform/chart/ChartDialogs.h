#pragma once

#include "platform/chart/Chart.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace kxchart {

// The chart's own customise dialog: titles, axis labels and the grid.
class CustomiseChartDialog : public QDialog {
    Q_OBJECT
public:
    CustomiseChartDialog(const ChartContent &content, QWidget *parent = nullptr);
    void apply(ChartContent &content) const;

    QLineEdit *titleEdit() const { return m_title; }
    QLineEdit *subtitleEdit() const { return m_subtitle; }
    QLineEdit *xLabelEdit() const { return m_xLabel; }
    QLineEdit *yLabelEdit() const { return m_yLabel; }
    QCheckBox *gridCheck() const { return m_grid; }

private:
    QLineEdit *m_title;
    QLineEdit *m_subtitle;
    QLineEdit *m_xLabel;
    QLineEdit *m_yLabel;
    QCheckBox *m_grid;
};

// File filters of the chart's save dialog, and the format a chosen path asks for.
QString chartSaveFilters();
ImageFormat formatForPath(const QString &path);

} // namespace kxchart
