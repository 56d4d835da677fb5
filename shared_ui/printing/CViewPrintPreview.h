#pragma once
// The window of the header report's preview: it runs the preview and lets the report
// draw each page. It is deleted when it closes.

#include <QPrinter>
#include <QWidget>

#include <memory>

class CUdsReport;

namespace kxres {

class CKXPreviewView;

class CViewPrintPreview : public QWidget {
  Q_OBJECT
 public:
  // The report is not owned; it outlives the window (it deletes an open one).
  CViewPrintPreview(CUdsReport* report, QWidget* owner);
  ~CViewPrintPreview() override;

  // Builds the preview pane over a printer for the report's pages.
  void OnFilePrintPreview();
  void FocusNextPage();
  CKXPreviewView* GetView() const { return m_view; }
  QPrinter* GetPrinter() const { return m_printer.get(); }

 protected:
  void OnPrint(QPrinter* printer);
  void changeEvent(QEvent* event) override;

 private:
  CUdsReport* m_report;
  std::unique_ptr<QPrinter> m_printer;
  CKXPreviewView* m_view = nullptr;
};

}  // namespace kxres
