#include "Quillet/dialogs/CNeckOptionBoxes.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace quillet {

CNeckOptionBoxes::CNeckOptionBoxes(bool conditionsText, QWidget *parent)
    : QWidget(parent)
{
    const auto box = [this](const char *name, const QString &text, bool CNeckOptions::*option) {
        auto *check = new QCheckBox(text, this);
        check->setObjectName(QLatin1String(name));
        connect(check, &QCheckBox::clicked, this, [this, option](bool on) {
            m_options.*option = on;
            Show();
        });
        return check;
    };
    m_sae = box("saeCoordinates",
                conditionsText ? QStringLiteral("Use Sae Coordinate System for Condyle Connection")
                               : QStringLiteral("Use Sae Coordinate System for Condyle Correction"),
                &CNeckOptions::saeCoordinates);
    m_bias = box("removeBias", QStringLiteral("Remove Bias from All Signals"), &CNeckOptions::removeBias);
    m_check = box("checkUds", QStringLiteral("Check UDS Signal Parameters"), &CNeckOptions::checkUds);
    m_filters = box("saeFilters", QStringLiteral("Apply Sae Filters to signals"), &CNeckOptions::saeFilters);
    m_advanced = box("advanced", QStringLiteral("Use Advanced Criteria"), &CNeckOptions::advanced);
    m_oop = box("outOfPosition", QStringLiteral("Out of position test"), &CNeckOptions::outOfPosition);
    auto *layout = new QVBoxLayout(this);
    for (QCheckBox *check : {m_sae, m_bias, m_check, m_filters, m_advanced, m_oop})
        layout->addWidget(check);
    Show();
}

void CNeckOptionBoxes::SetOptions(const CNeckOptions &options)
{
    m_options = options;
    Show();
}

void CNeckOptionBoxes::Show()
{
    m_sae->setChecked(m_options.saeCoordinates);
    m_bias->setChecked(m_options.removeBias);
    m_check->setChecked(m_options.checkUds);
    // The filter box shows its own value; it is for files whose header is not trusted.
    m_filters->setChecked(m_options.saeFilters);
    m_filters->setEnabled(!m_options.checkUds);
    m_advanced->setChecked(m_options.advanced);
    m_oop->setChecked(m_options.outOfPosition);
}

} // namespace quillet
