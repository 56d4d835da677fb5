#pragma once
// The preview window of a page source: it runs the preview and lets the source draw each
// page. It is deleted when it closes.

#include <QPrinter>
#include <QWidget>

#include <memory>

class IPageSource;

namespace kxres {

class CKXPreviewView;

class CViewPrintPreview : public QWidget {
    Q_OBJECT
public:
    // The source is not owned; it outlives the window (it deletes an open one).
    CViewPrintPreview(IPageSource *source, QWidget *owner);
    ~CViewPrintPreview() override;

    // Builds the preview pane over a printer for the source's pages.
    void OnFilePrintPreview();
    void FocusNextPage();
    CKXPreviewView *GetView() const { return m_view; }
    QPrinter *GetPrinter() const { return m_printer.get(); }

protected:
    void OnPrint(QPrinter *printer);
    void changeEvent(QEvent *event) override;

private:
    IPageSource *m_source;
    std::unique_ptr<QPrinter> m_printer;
    CKXPreviewView *m_view = nullptr;
};

} // namespace kxres
