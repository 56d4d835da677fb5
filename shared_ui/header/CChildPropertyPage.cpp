#include "shared_ui/header/CChildPropertyPage.h"

#include <QKeyEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kxres {

CChildPropertyPage::CChildPropertyPage(const QString &caption, int firstPage, int second, QWidget *parent)
    : QDialog(parent)
    , m_childSheet(new QTabWidget(this))
    , m_firstPage(firstPage)
    , m_second(second)
    , m_layout(new QVBoxLayout(this))
{
    setWindowTitle(caption);
    m_layout->addWidget(m_childSheet, 1);
}

CChildPropertyPage::~CChildPropertyPage() = default;

void CChildPropertyPage::AddChildPage(QWidget *page, const QString &caption)
{
    m_pages.append(page);
    m_captions.append(caption);
}

bool CChildPropertyPage::OnInitDialog()
{
    if (m_pages.isEmpty())
        return false;
    if (!m_initialised) {
        for (int i = 0; i < m_pages.size(); ++i)
            m_childSheet->addTab(m_pages[i], m_captions[i]);
        m_childSheet->setUsesScrollButtons(true);
        m_initialised = true;
    }
    if (m_firstPage >= 0 && m_firstPage < m_pages.size())
        m_childSheet->setCurrentIndex(m_firstPage);
    return true;
}

void CChildPropertyPage::OnCancel()
{
    m_childSheet->hide();
}

QWidget *CChildPropertyPage::GetActiveChildPage() const
{
    return m_childSheet->currentWidget();
}

void CChildPropertyPage::keyPressEvent(QKeyEvent *event)
{
    // A page inside another sheet neither closes on Escape nor presses a default button.
    if (!isWindow()) {
        QWidget::keyPressEvent(event);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kxres
