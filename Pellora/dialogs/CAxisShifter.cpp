#include "Pellora/dialogs/CAxisShifter.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pellora {

CAxisShifter::CAxisShifter(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Axis Shifter"));
    auto *layout = new QVBoxLayout(this);
    auto *next = new QPushButton(QStringLiteral("Click Here to Select an Axis Combination"), this);
    next->setObjectName(QStringLiteral("next"));
    layout->addWidget(next);
    const char *names[3] = {"xAxis", "yAxis", "zAxis"};
    for (int i = 0; i < 3; ++i) {
        m_axes[static_cast<std::size_t>(i)] = new QLabel(this);
        m_axes[static_cast<std::size_t>(i)]->setObjectName(QLatin1String(names[i]));
        layout->addWidget(m_axes[static_cast<std::size_t>(i)]);
    }
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("note"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(next, &QPushButton::clicked, this, &CAxisShifter::ShowNext);
    Show();
}

const std::array<std::array<int, 3>, 6> &CAxisShifter::Orders()
{
    static const std::array<std::array<int, 3>, 6> orders{
        {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
    return orders;
}

void CAxisShifter::SetNames(const QStringList &names)
{
    m_names = names;
    m_index = 0;
    Show();
}

void CAxisShifter::SetNote(const QString &note)
{
    m_note->setText(note);
}

void CAxisShifter::ShowNext()
{
    m_index = (m_index + 1) % static_cast<int>(Orders().size());
    Show();
}

QString CAxisShifter::AxisText(int axis) const
{
    return m_axes[static_cast<std::size_t>(axis)]->text();
}

void CAxisShifter::Show()
{
    static const char *axes[3] = {"X-AXIS: ", "Y-AXIS: ", "Z-AXIS: "};
    const std::array<int, 3> &order = Orders()[static_cast<std::size_t>(m_index)];
    for (std::size_t i = 0; i < 3; ++i) {
        const int k = order[i];
        m_axes[i]->setText(QLatin1String(axes[i]) + (k < m_names.size() ? m_names[k] : QString()));
    }
}

} // namespace pellora
