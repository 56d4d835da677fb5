#pragma once

// The one view: the results table for the Summary, else the chart of the current
// plot kind. It carries the picture, clipboard, print, HTML and help commands.

#include "Mirvane/document/CMirvaneDoc.h"
#include "platform/chart/Chart.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QTableView;

namespace mirvane {

class CResultsModel;

class CMirvaneView : public QWidget {
    Q_OBJECT
public:
    explicit CMirvaneView(CMirvaneDoc &doc, kxchart::ChartFactory factory = kxchart::makeChart,
                          QWidget *parent = nullptr);
    ~CMirvaneView() override;

    void OnUpdate(UpdateHint hint);

    // Commands.
    void OnCopy();
    void OnCopyData();
    void OnPrint();
    void OnSaveBitmap();
    void OnSavePdf();
    void OnSaveHtml();
    void OnHelp();

    bool HasChart() const { return m_chart && m_chart->isCreated(); }
    kxchart::Chart *Chart() const { return m_chart.get(); }
    QTableView *Table() const { return m_table; }
    // Column indexes in the table's display order.
    std::vector<int> ColumnOrder() const;

    // Replaceable for tests: the help page opener.
    std::function<bool(const QString &path)> openHelp;
    // Where the help page is looked for, first found wins: share/mirvane beside the
    // program's folder (of this program, or programDir), built or installed.
    static QStringList HelpPageCandidates();
    static QStringList HelpPageCandidates(const QString &programDir);
    QStringList helpPages = HelpPageCandidates();

signals:
    // Emitted after a run: the frame refills its plot-kind selector.
    void PlotKindsChanged(const std::vector<int> &kinds);
    void PlotKindsCleared();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void FillChart();
    void DestroyChart();

    CMirvaneDoc &m_doc;
    kxchart::ChartFactory m_factory;
    std::unique_ptr<kxchart::Chart> m_chart;
    QTableView *m_table = nullptr;
    CResultsModel *m_model = nullptr;
};

} // namespace mirvane
