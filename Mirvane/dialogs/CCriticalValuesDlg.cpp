#include "Mirvane/dialogs/CCriticalValuesDlg.h"

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kxres {

namespace {

// The names a refused number is reported with, in the order of the edits.
const std::array<const char *, 6> kNames = {"Average Residual",   "Standard Deviation", "Corridor",
                                            "Correlation Factor", "T Statistic",        "Moment Differences"};

std::array<double *, 6> Fields(mirvane::CCriticalValues &v)
{
    return {&v.averageResidual, &v.stdDeviation, &v.corridor, &v.correlation, &v.tStatistic, &v.momentDifference};
}

} // namespace

CCriticalValuesDlg::CCriticalValuesDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Edit Critical Values"));
    const std::array<std::pair<const char *, const char *>, 6> labels = {{
        {"Average Residual < ", "% of PeakReference"},
        {"Standard Deviation < ", "% of PeakReference"},
        {"Less than", "% outside 4 G corridor"},
        {"Correlation Factor < ", ""},
        {"T Statistic <", ""},
        {"Moment Differences <", ""},
    }};
    auto *grid = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        m_edits[static_cast<std::size_t>(i)] = new QLineEdit(this);
        grid->addWidget(new QLabel(QString::fromLatin1(labels[static_cast<std::size_t>(i)].first), this), i, 0);
        grid->addWidget(m_edits[static_cast<std::size_t>(i)], i, 1);
        grid->addWidget(new QLabel(QString::fromLatin1(labels[static_cast<std::size_t>(i)].second), this), i, 2);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCriticalValuesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    SetValues(m_values);
}

void CCriticalValuesDlg::SetValues(const mirvane::CCriticalValues &values)
{
    m_values = values;
    const auto fields = Fields(m_values);
    for (std::size_t i = 0; i < fields.size(); ++i)
        m_edits[i]->setText(QString::number(*fields[i], 'g', 10));
}

void CCriticalValuesDlg::accept()
{
    mirvane::CCriticalValues values = m_values;
    const auto fields = Fields(values);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        QString why;
        const auto value = ParseDouble(m_edits[i]->text(), &why);
        if (!value) {
            Warn(this, QLatin1String(kNames[i]) + QStringLiteral(": ") + why);
            m_edits[i]->setFocus();
            return;
        }
        *fields[i] = *value;
    }
    m_values = values;
    QDialog::accept();
}

} // namespace kxres
