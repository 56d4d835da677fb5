#pragma once

#include "platform/chart/Chart.h"

#include <optional>

#include <string>
#include <vector>

namespace kxchart {

// A chart that draws nothing and records what it was asked to do, for view tests.
class RecordingChart : public Chart {
public:
    bool create(QWidget *parent, const QRect &rect) override;
    void destroy() override;
    bool isCreated() const override { return m_created; }
    QWidget *widget() const override { return nullptr; }
    void setGeometry(const QRect &rect) override;

    ChartContent &content() override { return m_content; }
    const ChartContent &content() const override { return m_content; }
    void reinitialise() override;
    void resetImage() override;
    void resetZoom() override;
    bool zoomRange(QRectF &range) const override;
    void setZoomRange(const QRectF &range) override;

    int exportResolution() const override { return m_dpi; }
    void setExportResolution(int dpi) override;

    bool copyToClipboard(const QSize &size) override;
    // Records "copy picture", then the copy it makes.
    bool copyPictureToClipboard() override;
    bool save(ImageFormat format, const QString &path, const QSize &size) override;
    QImage render(const QSize &size) override;
    bool paint(QPainter &painter, const QRect &target) override;
    bool print(QWidget *dialogParent) override;

    int customiseDialog(QWidget *parent) override;
    int saveDialog(QWidget *parent) override;

    // One line per command, e.g. "create", "reinitialise", "save jpeg out.jpg 800x600".
    const std::vector<std::string> &calls() const { return m_calls; }
    // The content as it was at the last reinitialise.
    const ChartContent &shown() const { return m_shown; }
    QRect geometry() const { return m_rect; }

    // Results the dialogs and saves report.
    int customiseResult = 1;
    int saveDialogResult = 1;
    bool saveResult = true;

private:
    void record(std::string call);

    bool m_created = false;
    ChartContent m_content;
    ChartContent m_shown;
    QRect m_rect;
    int m_dpi = 96;
    std::optional<QRectF> m_zoom;
    std::vector<std::string> m_calls;
};

} // namespace kxchart
