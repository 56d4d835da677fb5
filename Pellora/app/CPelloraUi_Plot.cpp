// The plot's prompts and its output off the screen.

#include "Pellora/app/CPelloraUi.h"

#include "Pellora/dialogs/COutputDir.h"
#include "Pellora/dialogs/COutputImage.h"
#include "Pellora/views/CPlotOutput.h"

#include <QPrintDialog>
#include <QPrinter>

namespace pellora {

namespace {

// A print job with the printer it draws on.
class COwnedPrintJob : public IPlotPages {
public:
    COwnedPrintJob(std::unique_ptr<QPrinter> printer, bool preview, const std::array<double, 4> &margins, int unit,
                   kxchart::ChartFactory factory, QWidget *parent)
        : m_printer(std::move(printer))
        , m_job(*m_printer, preview, margins, unit, std::move(factory), parent)
    {}
    bool HasRoom() const override { return m_job.HasRoom(); }
    bool AddPage(const CPlotPicture &picture) override { return m_job.AddPage(picture); }
    void Finish() override { m_job.Finish(); }

private:
    std::unique_ptr<QPrinter> m_printer;
    CPlotPrintJob m_job;
};

} // namespace

bool CPelloraUi::AskOutputImage(std::string &fileName, int &width, int &height)
{
    COutputImage dialog(m_settings, Parent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    fileName = dialog.GetFileName().toStdString();
    width = dialog.GetWidth();
    height = dialog.GetHeight();
    return true;
}

bool CPelloraUi::AskSaveAllPlots(PlotImageKind kind, std::string &folder, int &sizeIndex)
{
    COutputDir dialog(m_settings, Parent());
    if (kind == PlotImageKind::Jpeg) {
        dialog.SetSizes({QStringLiteral("320 by 240"), QStringLiteral("640 by 480"), QStringLiteral("800 by 600"),
                         QStringLiteral("1024 by 780")});
    } else {
        dialog.SetSizeLabel(QStringLiteral("Select the Default Image Size ( in mm )"));
        dialog.SetSizes(
            {QStringLiteral("10 mm by 5 mm"), QStringLiteral("10 mm by 7.5 mm"), QStringLiteral("10 mm by 10 mm")});
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    folder = dialog.GetFolder().toStdString();
    sizeIndex = dialog.GetSizeIndex();
    return true;
}

bool CPelloraUi::ShownPlotRange(QRectF &range)
{
    return m_shownRange && m_shownRange(range);
}

bool CPelloraUi::SavePlotImage(const CPlotPicture &picture, PlotImageKind kind, const std::string &path, int width,
                               int height)
{
    return SavePlotPicture(m_factory, picture, kind, QString::fromStdString(path), QSize(width, height));
}

std::unique_ptr<IPlotPages> CPelloraUi::BeginPlotPrint(bool preview, const std::array<double, 4> &margins, int unit)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    CPlotPrintJob::PreparePrinter(*printer);
    if (!preview) {
        QPrintDialog dialog(printer.get(), Parent());
        if (dialog.exec() != QDialog::Accepted)
            return nullptr;
    }
    return std::make_unique<COwnedPrintJob>(std::move(printer), preview, margins, unit, m_factory, Parent());
}

} // namespace pellora
