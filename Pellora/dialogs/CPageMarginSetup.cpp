#include "Pellora/dialogs/CPageMarginSetup.h"

#include "Pellora/document/CPelloraDoc.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace pellora {

namespace {
constexpr double CentimetresPerInch = 2.54;
}

CPageMarginSetup::CPageMarginSetup(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Print Page Margin Setup"));
    const auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    m_left = edit("left");
    m_right = edit("right");
    m_bottom = edit("bottom");
    m_top = edit("top");
    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("unit"));
    m_unit->addItems({QStringLiteral("Inches"), QStringLiteral("Centimeters")});
    auto *byDefault = new QPushButton(QStringLiteral("Default"), this);
    byDefault->setObjectName(QStringLiteral("default"));
    auto *zero = new QPushButton(QStringLiteral("Zero Margin"), this);
    zero->setObjectName(QStringLiteral("zero"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Left"), m_left);
    form->addRow(QStringLiteral("Right"), m_right);
    form->addRow(QStringLiteral("Top"), m_top);
    form->addRow(QStringLiteral("Bottom"), m_bottom);
    form->addRow(QStringLiteral("Unit"), m_unit);
    auto *row = new QHBoxLayout;
    row->addWidget(byDefault);
    row->addWidget(zero);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPageMarginSetup::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(byDefault, &QPushButton::clicked, this, &CPageMarginSetup::OnDefault);
    connect(zero, &QPushButton::clicked, this, &CPageMarginSetup::OnZeroMargin);
    connect(m_unit, &QComboBox::currentIndexChanged, this, &CPageMarginSetup::OnUnitChanged);
    // Tab goes through the margins in the order they are shown.
    setTabOrder(m_left, m_right);
    setTabOrder(m_right, m_top);
    setTabOrder(m_top, m_bottom);
    setTabOrder(m_bottom, m_unit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(row);
    layout->addWidget(buttons);
    SetMargins(m_margins);
}

void CPageMarginSetup::SetMargins(const CPageMarginValues &margins)
{
    m_margins = margins;
    m_left->setText(QString::fromStdString(margins.left));
    m_right->setText(QString::fromStdString(margins.right));
    m_top->setText(QString::fromStdString(margins.top));
    m_bottom->setText(QString::fromStdString(margins.bottom));
    const QSignalBlocker block(m_unit);
    m_shownUnit = margins.unit == 1 ? 1 : 0;
    m_unit->setCurrentIndex(m_shownUnit);
}

void CPageMarginSetup::SetUnit(int unit)
{
    m_unit->setCurrentIndex(unit == 1 ? 1 : 0);
}

std::array<QString, 4> CPageMarginSetup::Texts() const
{
    return {m_left->text(), m_right->text(), m_top->text(), m_bottom->text()};
}

void CPageMarginSetup::OnDefault()
{
    m_left->setText(QStringLiteral("1.0"));
    m_right->setText(QStringLiteral("0.5"));
    m_top->setText(QStringLiteral("0.5"));
    m_bottom->setText(QStringLiteral("0.5"));
}

void CPageMarginSetup::OnZeroMargin()
{
    for (QLineEdit *e : {m_left, m_right, m_top, m_bottom})
        e->setText(QStringLiteral("0.0"));
}

void CPageMarginSetup::OnUnitChanged(int unit)
{
    if (unit == m_shownUnit || unit < 0)
        return;
    const double factor = unit == 1 ? CentimetresPerInch : 1.0 / CentimetresPerInch;
    // A text that is no number stays as typed, for OK to point out.
    for (QLineEdit *e : {m_left, m_right, m_top, m_bottom}) {
        if (const std::optional<double> value = kxres::ParseDouble(e->text()))
            e->setText(QString::asprintf("%.3f", *value * factor));
    }
    m_shownUnit = unit;
}

void CPageMarginSetup::accept()
{
    CPageMarginValues typed;
    typed.left = m_left->text().trimmed().toStdString();
    typed.right = m_right->text().trimmed().toStdString();
    typed.top = m_top->text().trimmed().toStdString();
    typed.bottom = m_bottom->text().trimmed().toStdString();
    typed.unit = m_unit->currentIndex() == 1 ? 1 : 0;
    // Every margin must be a number of 0 or more; the dialog stays open until it is.
    if (const std::string problem = CPelloraDoc::MarginProblem(typed); !problem.empty()) {
        kxres::Warn(this, QString::fromStdString(problem));
        return;
    }
    m_margins = typed;
    QDialog::accept();
}

} // namespace pellora
