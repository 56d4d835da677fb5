#include "shared_ui/header/CUdsFieldPage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kxres {

CUdsFieldPage::CUdsFieldPage(const QString &caption, const std::vector<Group> &groups, QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    for (const Group &group : groups) {
        auto *box = new QGroupBox(group.first, this);
        auto *columns = new QHBoxLayout(box);
        // Long groups are shown in two columns.
        const int perColumn =
            group.second.size() > 8 ? (group.second.size() + 1) / 2 : static_cast<int>(group.second.size());
        QFormLayout *form = nullptr;
        for (int i = 0; i < group.second.size(); ++i) {
            if (i % perColumn == 0) {
                form = new QFormLayout();
                form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
                columns->addLayout(form, 1);
            }
            const QString &label = group.second[i];
            auto *edit = new QLineEdit(box);
            edit->setReadOnly(true);
            edit->setObjectName(label);
            form->addRow(label, edit);
            m_fields.insert(label, edit);
            m_labels << label;
        }
        layout->addWidget(box);
    }
    layout->addStretch(1);
}

CUdsFieldPage::~CUdsFieldPage() = default;

void CUdsFieldPage::Fill(const kx::CNSignal *signal)
{
    if (signal == nullptr) {
        ClearFields();
        return;
    }
    FillFrom(*signal);
}

QString CUdsFieldPage::FieldText(const QString &label) const
{
    const auto it = m_fields.find(label);
    return it == m_fields.end() ? QString() : it.value()->text();
}

void CUdsFieldPage::SetField(const QString &label, const QString &value)
{
    const auto it = m_fields.find(label);
    if (it != m_fields.end()) {
        it.value()->setText(value);
        it.value()->setCursorPosition(0);
    }
}

void CUdsFieldPage::ClearFields()
{
    for (QLineEdit *edit : m_fields)
        edit->clear();
}

QString CUdsFieldPage::Int(int value)
{
    return QString::number(value);
}

QString CUdsFieldPage::Real(double value)
{
    return QString::asprintf("%f", value);
}

QString CUdsFieldPage::Text(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace kxres
