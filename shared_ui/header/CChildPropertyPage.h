#pragma once
// A page that holds a tab sheet of further pages inside itself.

#include <QDialog>
#include <QList>
#include <QString>

class QTabWidget;
class QVBoxLayout;

namespace kxres {

class CChildPropertyPage : public QDialog {
    Q_OBJECT
public:
    CChildPropertyPage(const QString &caption, int firstPage, int second, QWidget *parent = nullptr);
    ~CChildPropertyPage() override;

    // Pages are put into the sheet in this order by OnInitDialog.
    void AddChildPage(QWidget *page, const QString &caption);
    // False when there are no child pages.
    virtual bool OnInitDialog();
    // Closes the child sheet.
    virtual void OnCancel();

    QTabWidget *GetChildSheet() const { return m_childSheet; }
    const QList<QWidget *> &GetChildPages() const { return m_pages; }
    QWidget *GetActiveChildPage() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QVBoxLayout *PageLayout() const { return m_layout; }

private:
    QTabWidget *m_childSheet;
    int m_firstPage;
    int m_second;
    QList<QWidget *> m_pages;
    QList<QString> m_captions;
    QVBoxLayout *m_layout;
    bool m_initialised = false;
};

} // namespace kxres
