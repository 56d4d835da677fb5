#include "shared_ui/header/CUDSDialog.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "shared_ui/header/CPrintPreviewer.h"
#include "shared_ui/header/CUDSCurveDialog.h"
#include "shared_ui/header/CUDSOCCDialog.h"
#include "shared_ui/header/CUDSTestDialog.h"
#include "shared_ui/header/CUDSVehDialog.h"

namespace kxres {

CUDSDialog::CUDSDialog(QWidget *parent)
    : CChildPropertyPage(QStringLiteral("UDS File Specification"), 0, 0, parent)
    , m_test(new CUDSTestDialog(this))
    , m_vehicle(new CUDSVehDialog(this))
    , m_curve(new CUDSCurveDialog(this))
    , m_occupant(new CUDSOCCDialog(this))
    , m_printPreview(new CPrintPreviewer(this))
    , m_titlePrefix(TitlePrefix())
{
    AddChildPage(m_test, QStringLiteral("Test"));
    AddChildPage(m_vehicle, QStringLiteral("Vehicle"));
    AddChildPage(m_curve, QStringLiteral("Instrumentation"));
    AddChildPage(m_occupant, QStringLiteral("Occupant"));
    AddChildPage(m_printPreview, QStringLiteral("Print Preview"));

    auto *controls = new QHBoxLayout();
    m_spin = new QWidget(this);
    auto *arrows = new QVBoxLayout(m_spin);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    m_up = new QToolButton(m_spin);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setAutoRepeat(true);
    m_down = new QToolButton(m_spin);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setAutoRepeat(true);
    arrows->addWidget(m_up);
    arrows->addWidget(m_down);
    m_number = new QLabel(QStringLiteral("1"), this);
    m_of = new QLabel(QStringLiteral("Of"), this);
    m_count = new QLabel(QStringLiteral("0"), this);
    m_help = new QPushButton(QStringLiteral("Help"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_apply = new QPushButton(QStringLiteral("APPLY"), this);
    for (QPushButton *b : {m_help, m_cancel, m_apply})
        b->setAutoDefault(false);
    controls->addWidget(m_spin);
    controls->addWidget(m_number);
    controls->addWidget(m_of);
    controls->addWidget(m_count);
    controls->addStretch(1);
    controls->addWidget(m_help);
    controls->addWidget(m_cancel);
    controls->addWidget(m_apply);
    PageLayout()->addLayout(controls);

    connect(m_up, &QToolButton::clicked, this, [this] { OnDeltaposSpin(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { OnDeltaposSpin(-1); });
    connect(m_cancel, &QPushButton::clicked, this, &CUDSDialog::OnCancel);
    // "Help" and "APPLY" do nothing.

    auto *print = new QAction(this);
    print->setShortcut(QKeySequence::Print);
    print->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(print, &QAction::triggered, this, &CUDSDialog::OnFilePrint);
    addAction(print);

    resize(640, 560);
    OnInitDialog();
}

CUDSDialog::~CUDSDialog() = default;

void CUDSDialog::SetSignals(std::vector<std::shared_ptr<kx::CNSignal>> signalList)
{
    m_signals = std::move(signalList);
    m_index = 0;
    m_current = m_signals.empty() ? nullptr : m_signals.front();
    m_printPreview->SetCurrentSignal(m_current);
    FillHeaderPages();
    ShowCounter();
}

bool CUDSDialog::OnInitDialog()
{
    const bool pages = CChildPropertyPage::OnInitDialog();
    if (!m_initialised) {
        // Every child page is made once, from the last to the first, so the first is active.
        for (CChildPropertyPage *group :
             std::initializer_list<CChildPropertyPage *>{this, m_vehicle, m_occupant, m_curve}) {
            if (group != this)
                group->OnInitDialog();
            QTabWidget *sheet = group->GetChildSheet();
            for (int i = sheet->count() - 1; i >= 0; --i)
                sheet->setCurrentIndex(i);
        }
        m_initialised = true;
    }
    FillHeaderPages();
    ShowCounter();
    return pages;
}

void CUDSDialog::ShowCounter()
{
    const int count = static_cast<int>(m_signals.size());
    m_count->setText(QString::number(count));
    m_number->setText(QString::number(count > 0 ? m_index + 1 : 0));
}

QString CUDSDialog::GetCounterText() const
{
    return m_number->text() + " " + m_of->text() + " " + m_count->text();
}

bool CUDSDialog::IsStepperShown() const
{
    return !m_spin->isHidden();
}

void CUDSDialog::FillHeaderPages()
{
    const kx::CNSignal *signal = m_current.get();
    m_test->Fill(signal);
    m_vehicle->GetVehicle1()->Fill(signal);
    m_vehicle->GetVehicle2()->Fill(signal);
    m_occupant->GetOccupant1()->Fill(signal);
    m_occupant->GetOccupant2()->Fill(signal);
    m_occupant->GetInjury()->Fill(signal);
    m_curve->GetCurveData()->Fill(signal);
    m_curve->GetSensorInfo()->Fill(signal);
    m_curve->GetCurveUser()->Fill(signal);
    m_apply->hide();
    m_spin->setHidden(m_signals.size() < 2);
    if (signal != nullptr && !signal->GetFileName().empty()) {
        setWindowTitle(m_titlePrefix + QString::fromStdString(signal->GetFileName()));
    }
}

void CUDSDialog::OnDeltaposSpin(int delta)
{
    const long long index = static_cast<long long>(m_index) + delta;
    if (index < 0 || index >= static_cast<long long>(m_signals.size()))
        return;
    m_index = static_cast<int>(index);
    m_current = m_signals[static_cast<std::size_t>(m_index)];
    FillHeaderPages();
    m_printPreview->SetCurrentSignal(m_current);
    ShowCounter();
}

void CUDSDialog::OnFilePrint()
{
    m_printPreview->OnFilePrint();
}

void CUDSDialog::OnCancel()
{
    reject();
}

void CUDSDialog::reject()
{
    CChildPropertyPage::OnCancel();
    QDialog::reject();
}

void CUDSDialog::showEvent(QShowEvent *event)
{
    // Cancel closed the child sheet; a dialog shown again shows it again.
    GetChildSheet()->show();
    CChildPropertyPage::showEvent(event);
}

} // namespace kxres
