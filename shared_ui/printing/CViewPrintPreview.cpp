#include "shared_ui/printing/CViewPrintPreview.h"

#include <QEvent>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QVBoxLayout>

#include "shared_ui/printing/CKXPreviewView.h"
#include "shared_ui/printing/CPage.h"
#include "shared_ui/printing/IPageSource.h"
#include "shared_ui/printing/PageSetup.h"

namespace kxres {

CViewPrintPreview::CViewPrintPreview(IPageSource *source, QWidget *owner)
    : QWidget(owner, Qt::Window)
    , m_source(source)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setAttribute(Qt::WA_DeleteOnClose);
    ApplyProgramPageSetup(*m_printer);
    // While the preview is open it stands in for the windows below it.
    setWindowModality(Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

CViewPrintPreview::~CViewPrintPreview()
{
    // The pane goes before the printer it previews.
    delete m_view;
}

void CViewPrintPreview::OnFilePrintPreview()
{
    if (m_view != nullptr)
        return;
    m_view = new CKXPreviewView(m_printer.get(), this);
    layout()->addWidget(m_view);
    connect(m_view->GetPreview(), &QPrintPreviewWidget::paintRequested, this, &CViewPrintPreview::OnPrint);
    connect(m_view, &CKXPreviewView::closeRequested, this, &QWidget::close);
    m_view->GetPreview()->updatePreview();
    m_view->OnDisplayPageNumber();
    m_view->OnActivateView();
}

void CViewPrintPreview::FocusNextPage()
{
    if (m_view != nullptr)
        m_view->OnActivateView();
}

void CViewPrintPreview::OnPrint(QPrinter *printer)
{
    if (m_source == nullptr || printer == nullptr)
        return;
    QPainter painter(printer);
    CPrintInfo info;
    info.m_rectDraw = QRect(0, 0, printer->width(), printer->height());
    m_source->BeginJob();
    const int pages = m_source->GetPageCount();
    info.m_nMaxPage = static_cast<unsigned>(pages);
    for (int n = 1; n <= pages; ++n) {
        if (n > 1)
            printer->newPage();
        info.m_nCurPage = static_cast<unsigned>(n);
        m_source->OnPrint(&painter, &info);
    }
}

void CViewPrintPreview::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FocusNextPage();
}

} // namespace kxres
