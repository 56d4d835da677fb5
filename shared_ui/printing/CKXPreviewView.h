#pragma once
// The preview pane: Qt's print preview with a tool bar that has no print button, whose
// previous and next buttons follow the page shown.

#include <QWidget>

class QAction;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QToolBar;
class QToolButton;

namespace kxres {

class CKXPreviewView : public QWidget {
    Q_OBJECT
public:
    explicit CKXPreviewView(QPrinter *printer, QWidget *parent = nullptr);

    QPrintPreviewWidget *GetPreview() const { return m_preview; }
    QAction *GetPrevAction() const { return m_prev; }
    QAction *GetNextAction() const { return m_next; }
    QAction *GetCloseAction() const { return m_close; }
    QToolBar *GetToolBar() const { return m_toolBar; }
    // Enables previous and next for the page shown and shows its number.
    void OnDisplayPageNumber();
    // Keyboard focus on the next-page button unless it is in the tool bar already.
    void OnActivateView();

signals:
    void closeRequested();

private:
    QToolBar *m_toolBar;
    QPrintPreviewWidget *m_preview;
    QAction *m_next;
    QAction *m_prev;
    QAction *m_twoPage;
    QAction *m_zoomIn;
    QAction *m_zoomOut;
    QAction *m_close;
    QLabel *m_pageLabel;
};

} // namespace kxres
