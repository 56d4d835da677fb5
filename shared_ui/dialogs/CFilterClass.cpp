#include "shared_ui/dialogs/CFilterClass.h"

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"
#include "signal/FilterClass.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kxres {

namespace {

constexpr std::array<int, kFilterRadioCount> kClasses{60, 180, 600, 1000, 1001};
constexpr int kUnknown = 4;

} // namespace

int FilterRadioIndex(int channelClass)
{
    for (int i = 0; i < kUnknown; ++i)
        if (kClasses[std::size_t(i)] == channelClass)
            return i;
    return kUnknown;
}

FilterRadioState FilterRadiosFor(int currentClass)
{
    FilterRadioState state;
    const int index = FilterRadioIndex(currentClass);
    state.checked = index;
    if (index == kUnknown)
        return state;
    // Only a lower class can be reached: every radio above the current one is disabled.
    for (int i = index + 1; i < kFilterRadioCount; ++i)
        state.disabled[std::size_t(i)] = true;
    if (index < 3)
        state.filteredAt = index;
    return state;
}

CFilterClass::CFilterClass(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select Filter Class"));
    static const char *const radioNames[] = {"cfc60", "cfc180", "cfc600", "cfc1000", "cfcUnknown"};
    static const char *const radioTexts[] = {"CFC 60", "CFC 180", "CFC 600", "CFC 1000", "CFC Unknown"};
    static const char *const labelNames[] = {"at60", "at180", "at600", "at1000", "atUnknown"};
    m_group = new QButtonGroup(this);
    auto *grid = new QGridLayout;
    for (int i = 0; i < kFilterRadioCount; ++i) {
        auto *radio = new QRadioButton(QString::fromLatin1(radioTexts[i]), this);
        radio->setObjectName(QString::fromLatin1(radioNames[i]));
        auto *label = new QLabel(QStringLiteral("Filtered At"), this);
        label->setObjectName(QString::fromLatin1(labelNames[i]));
        label->hide();
        m_group->addButton(radio, i);
        grid->addWidget(radio, i, 0);
        grid->addWidget(label, i, 1);
        m_classRadios[std::size_t(i)] = radio;
        m_atLabels[std::size_t(i)] = label;
        connect(radio, &QRadioButton::clicked, this, [this, i] { Guarded(this, [this, i] { OnClassRadio(i); }); });
    }
    m_cutoffRadio = new QRadioButton(QStringLiteral("Select Cutoff Frequency"), this);
    m_cutoffRadio->setObjectName(QStringLiteral("cutoffRadio"));
    m_group->addButton(m_cutoffRadio, kFilterRadioCount);
    m_cutoffEdit = new QLineEdit(this);
    m_cutoffEdit->setObjectName(QStringLiteral("cutoff"));
    m_cutoffEdit->setEnabled(false);
    grid->addWidget(m_cutoffRadio, kFilterRadioCount, 0);
    grid->addWidget(m_cutoffEdit, kFilterRadioCount, 1);
    m_fileLine = new QLabel(this);
    m_fileLine->setObjectName(QStringLiteral("fileLine"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_fileLine);
    layout->addWidget(buttons);

    connect(m_cutoffRadio, &QRadioButton::clicked, this, [this] { Guarded(this, [this] { OnCutoffRadio(); }); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CFilterClass::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CFilterClass::~CFilterClass() = default;

void CFilterClass::SetSignals(const SignalList &list, int mode)
{
    m_signals = list;
    m_mode = mode;
    if (m_signals.size() == 1 && m_signals.front())
        m_signal = m_signals.front();
}

int CFilterClass::DoModal(const SignalList &list, int mode)
{
    SetSignals(list, mode);
    InitDialog();
    return exec();
}

void CFilterClass::ApplyRadios()
{
    const FilterRadioState state = FilterRadiosFor(m_currentClass);
    for (int i = 0; i < kFilterRadioCount; ++i) {
        m_classRadios[std::size_t(i)]->setEnabled(!state.disabled[std::size_t(i)]);
        m_atLabels[std::size_t(i)]->setText(QStringLiteral("Filtered At"));
        m_atLabels[std::size_t(i)]->setVisible(i == state.filteredAt);
    }
    m_classRadios[std::size_t(state.checked)]->setChecked(true);
    if (state.checked < kUnknown)
        m_chosenClass = kClasses[std::size_t(state.checked)];
    m_cutoffEdit->setEnabled(false);
}

void CFilterClass::InitDialog()
{
    m_cutoffRadio->setVisible(m_cutoffOption);
    m_cutoffEdit->setVisible(m_cutoffOption);
    m_cutoffChosen = false;
    if (m_signals.size() == 1) {
        m_currentClass = m_signal->GetFilterClass();
        m_submittedClass = kx::ChannelClassFromFrequencies(m_signal->GetPreFil(), 0.0);
        ApplyRadios();
        QLabel *submitted = m_atLabels[std::size_t(FilterRadioIndex(m_submittedClass))];
        submitted->setText(QStringLiteral("As Submitted"));
        submitted->show();
    } else {
        // The signal with the highest class as submitted (above 60) sets the radios.
        int highest = 60;
        for (const auto &signal : m_signals) {
            if (!signal)
                continue;
            const int submitted = kx::ChannelClassFromFrequencies(signal->GetPreFil(), 0.0);
            if (submitted > highest) {
                highest = submitted;
                m_currentClass = signal->GetFilterClass();
            }
        }
        ApplyRadios();
    }
    if (m_mode == 1 && m_cutoffOption) {
        m_cutoffRadio->setChecked(true);
        m_cutoffEdit->setEnabled(true);
    }
    m_fileLine->setText(m_signals.size() < 2
                            ? QStringLiteral("FileName: ") + QString::fromStdString(m_signal->GetFileName())
                            : QStringLiteral("Multiple Signals"));
    adjustSize();
}

void CFilterClass::OnClassRadio(int index)
{
    if (index < kUnknown)
        m_chosenClass = kClasses[std::size_t(index)];
    m_cutoffEdit->setEnabled(false);
}

void CFilterClass::OnCutoffRadio()
{
    m_cutoffEdit->setEnabled(true);
    m_cutoffEdit->setFocus();
}

void CFilterClass::accept()
{
    Guarded(this, [this] {
        if (m_cutoffOption && m_cutoffRadio->isChecked()) {
            const QString text = m_cutoffEdit->text().trimmed();
            QString why;
            const auto value = ParseDouble(text, &why);
            if (!value) {
                Warn(this, QStringLiteral("Failure to convert Cutoff Frequency: ") + text + QLatin1Char('\n') + why);
                m_cutoffEdit->setFocus();
                return;
            }
            m_cutoff = *value;
            if (m_cutoff <= 0.0) {
                m_cutoffRadio->setFocus();
                return;
            }
            m_cutoffChosen = true;
            QDialog::accept();
            return;
        }
        m_cutoffChosen = false;
        // The class always follows the checked radio; "CFC Unknown" is no class to filter at.
        const int checked = m_group->checkedId();
        if (checked < 0 || checked >= kUnknown) {
            Warn(this, QStringLiteral("Please select a Filter Class: CFC 60, 180, 600 or 1000."));
            return;
        }
        m_chosenClass = kClasses[std::size_t(checked)];
        QDialog::accept();
    });
}

} // namespace kxres
