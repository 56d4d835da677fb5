#include "shared_ui/printing/CKXPreviewView.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kxres {

CKXPreviewView::CKXPreviewView(QPrinter *printer, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_preview = new QPrintPreviewWidget(printer, this);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_preview, 1);

    m_next = m_toolBar->addAction(tr("&Next Page"));
    m_prev = m_toolBar->addAction(tr("Pre&v Page"));
    m_twoPage = m_toolBar->addAction(tr("&Two Page"));
    m_zoomIn = m_toolBar->addAction(tr("Zoom &In"));
    m_zoomOut = m_toolBar->addAction(tr("Zoom &Out"));
    m_close = m_toolBar->addAction(tr("&Close"));
    m_toolBar->addSeparator();
    m_pageLabel = new QLabel(m_toolBar);
    m_toolBar->addWidget(m_pageLabel);
    m_next->setShortcut(QKeySequence(Qt::Key_PageDown));
    m_prev->setShortcut(QKeySequence(Qt::Key_PageUp));

    connect(m_next, &QAction::triggered, this, [this] {
        m_preview->setCurrentPage(m_preview->currentPage() + 1);
        OnDisplayPageNumber();
    });
    connect(m_prev, &QAction::triggered, this, [this] {
        m_preview->setCurrentPage(m_preview->currentPage() - 1);
        OnDisplayPageNumber();
    });
    connect(m_twoPage, &QAction::triggered, this, [this] {
        const bool two = m_preview->viewMode() != QPrintPreviewWidget::FacingPagesView;
        m_preview->setViewMode(two ? QPrintPreviewWidget::FacingPagesView : QPrintPreviewWidget::SinglePageView);
        m_twoPage->setText(two ? tr("&One Page") : tr("&Two Page"));
    });
    connect(m_zoomIn, &QAction::triggered, m_preview, [this] { m_preview->zoomIn(); });
    connect(m_zoomOut, &QAction::triggered, m_preview, [this] { m_preview->zoomOut(); });
    connect(m_close, &QAction::triggered, this, &CKXPreviewView::closeRequested);
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &CKXPreviewView::OnDisplayPageNumber);
    OnDisplayPageNumber();
}

void CKXPreviewView::OnDisplayPageNumber()
{
    const int page = m_preview->currentPage();
    const int pages = m_preview->pageCount();
    m_prev->setEnabled(page > 1);
    m_next->setEnabled(page < pages);
    m_pageLabel->setText(pages > 0 ? tr("Page %1").arg(page) : QString());
}

void CKXPreviewView::OnActivateView()
{
    QWidget *focus = QApplication::focusWidget();
    if (focus != nullptr && m_toolBar->isAncestorOf(focus))
        return;
    if (QWidget *button = m_toolBar->widgetForAction(m_next))
        button->setFocus();
}

} // namespace kxres
