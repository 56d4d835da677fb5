#include "Quillet/dialogs/CDummySelectionDlg.h"

#include "Quillet/core/KxNeck208.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <limits>

namespace quillet {

namespace {

struct Dummy {
    const char *text;
    const char *type;
    const char *size;
};

constexpr Dummy kDummies[7] = {
    {"12  Month Crabi", "CR", "12"},
    {"3 Year Old Hybrid III", "HY", "3C"},
    {"6 Year Old Hybrid III", "HY", "6C"},
    {"5th percentile female Hybrid III", "HY", "05"},
    {"50th percentile male Hybrid III", "HY", "50"},
    {"95th percentile male Hybrid III", "HY", "95"},
    {"Other", "OT", "OT"},
};

const char *const kLabels[3][2] = {
    {"Critical Shear", ""},
    {"Critical Flexion", "Critical Extension"},
    {"Critical Compression", "Critical Tension"},
};

} // namespace

CDummySelectionDlg::CDummySelectionDlg(const NeckLoadCases &loadCases, QWidget *parent)
    : QDialog(parent)
    , m_loadCases(loadCases)
{
    setWindowTitle(QStringLiteral("Select Measurement and Dummy Type"));
    m_measurement = new QComboBox(this);
    m_measurement->setObjectName(QStringLiteral("measurement"));
    m_measurement->addItems({QStringLiteral("Shear"), QStringLiteral("Moment"), QStringLiteral("Axial")});
    auto *dummies = new QGroupBox(QStringLiteral("Dummy"), this);
    auto *dummyLayout = new QVBoxLayout(dummies);
    m_group = new QButtonGroup(this);
    for (int i = 0; i < 7; ++i) {
        m_radios[std::size_t(i)] = new QRadioButton(QLatin1String(kDummies[i].text), dummies);
        m_radios[std::size_t(i)]->setObjectName(QStringLiteral("dummy%1").arg(i));
        m_group->addButton(m_radios[std::size_t(i)], i);
        dummyLayout->addWidget(m_radios[std::size_t(i)]);
    }
    m_critical1 = new QLineEdit(this);
    m_critical1->setObjectName(QStringLiteral("critical1"));
    m_critical2 = new QLineEdit(this);
    m_critical2->setObjectName(QStringLiteral("critical2"));
    m_label1 = new QLabel(this);
    m_label2 = new QLabel(this);
    auto *grid = new QGridLayout;
    grid->addWidget(m_label1, 0, 0);
    grid->addWidget(m_critical1, 0, 1);
    grid->addWidget(m_label2, 1, 0);
    grid->addWidget(m_critical2, 1, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDummySelectionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_measurement);
    layout->addWidget(dummies);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    // A pick sets the document's load cases: whatever that throws is reported here.
    connect(m_measurement, &QComboBox::activated, this,
            [this](int index) { kxres::Guarded(this, [this, index] { OnMeasurement(index); }); });
    connect(m_group, &QButtonGroup::idClicked, this,
            [this](int id) { kxres::Guarded(this, [this, id] { OnDummy(id); }); });
    SetChoice(m_choice);
}

std::array<KxNeck208 *, 2> CDummySelectionDlg::Pair(int measurement) const
{
    // Load cases: compression, tension, forward shear, rear shear, flexion, extension.
    switch (measurement) {
    case 0:
        return {m_loadCases[2], m_loadCases[3]};
    case 1:
        return {m_loadCases[4], m_loadCases[5]};
    default:
        return {m_loadCases[0], m_loadCases[1]};
    }
}

void CDummySelectionDlg::SetChoice(const CDummyChoice &choice)
{
    m_choice = choice;
    m_choice.measurement = std::clamp(choice.measurement, 0, 2);
    m_choice.dummy = std::clamp(choice.dummy, 0, Other);
    m_measurement->setCurrentIndex(m_choice.measurement);
    m_radios[std::size_t(m_choice.dummy)]->setChecked(true);
    OnDummy(m_choice.dummy);
}

void CDummySelectionDlg::OnMeasurement(int index)
{
    m_choice.measurement = std::clamp(index, 0, 2);
    OnDummy(m_choice.dummy);
}

void CDummySelectionDlg::OnDummy(int index)
{
    m_choice.dummy = std::clamp(index, 0, Other);
    const Dummy &d = kDummies[m_choice.dummy];
    m_choice.type = d.type;
    m_choice.size = d.size;
    m_label1->setText(QLatin1String(kLabels[m_choice.measurement][0]));
    m_label2->setText(QLatin1String(kLabels[m_choice.measurement][1]));
    const bool other = m_choice.dummy == Other;
    m_critical1->setEnabled(other);
    m_critical2->setEnabled(other);
    if (other) {
        m_choice.critical1 = 0.0;
        m_choice.critical2 = 0.0;
    } else {
        StoreCodes();
    }
    ShowCriticalValues();
}

void CDummySelectionDlg::StoreCodes()
{
    for (KxNeck208 *loadCase : Pair(m_choice.measurement)) {
        if (!loadCase)
            continue;
        if (m_choice.dummy == Other) {
            loadCase->SetDummyType(m_choice.type);
            loadCase->SetDummySize(m_choice.size);
        } else {
            loadCase->SetDummy(m_choice.type, m_choice.size);
        }
    }
    const auto pair = Pair(m_choice.measurement);
    if (m_choice.dummy != Other && pair[0] && pair[1]) {
        m_choice.critical1 = pair[0]->GetCriticalValue();
        m_choice.critical2 = pair[1]->GetCriticalValue();
    }
}

void CDummySelectionDlg::ShowCriticalValues()
{
    m_critical1->setText(QString::number(m_choice.critical1, 'g', 10));
    m_critical2->setText(QString::number(m_choice.critical2, 'g', 10));
}

int CDummySelectionDlg::exec()
{
    for (KxNeck208 *loadCase : m_loadCases)
        if (!loadCase)
            return QDialog::Rejected;
    return QDialog::exec();
}

std::optional<double> CDummySelectionDlg::TypedCritical(QLineEdit *edit, const QString &name)
{
    QString why;
    std::optional<double> value = kxres::ParseDouble(edit->text(), &why);
    // A critical value is a magnitude the chart draws at plus and minus, held as a float.
    if (value && !(*value >= 0.0 && *value <= double(std::numeric_limits<float>::max()))) {
        why = *value < 0.0 ? QStringLiteral("must be 0 or more") : QStringLiteral("the number is out of range");
        value.reset();
    }
    if (!value) {
        kxres::Warn(this, name + QStringLiteral(": ") + why);
        edit->setFocus();
    }
    return value;
}

void CDummySelectionDlg::accept()
{
    if (m_choice.dummy == Other) {
        const std::optional<double> first = TypedCritical(m_critical1, m_label1->text());
        if (!first)
            return;
        const QString secondName =
            m_label2->text().isEmpty() ? QStringLiteral("Second critical value") : m_label2->text();
        const std::optional<double> second = TypedCritical(m_critical2, secondName);
        if (!second)
            return;
        m_choice.critical1 = *first;
        m_choice.critical2 = *second;
    }
    StoreCodes();
    QDialog::accept();
}

} // namespace quillet
