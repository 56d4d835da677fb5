#include "shared_ui/dialogs/CTruncateDlg.h"

#include "shared_ui/controls/CPPToolTip.h"

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/header/TextFunctions.h"
#include "shared_ui/kit/NumberParser.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

namespace kxres {

CTruncateDlg::CTruncateDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Set Signal Truncate Interval"));
    m_all = new QCheckBox(QStringLiteral("Truncate Series Data for ALL Signals"), this);
    m_all->setObjectName(QStringLiteral("allSignals"));
    m_minCheck = new QCheckBox(QStringLiteral("Min Time (sec)"), this);
    m_minCheck->setObjectName(QStringLiteral("minSet"));
    m_maxCheck = new QCheckBox(QStringLiteral("Max Time (sec)"), this);
    m_maxCheck->setObjectName(QStringLiteral("maxSet"));
    m_minEdit = new QLineEdit(this);
    m_minEdit->setObjectName(QStringLiteral("minTime"));
    m_maxEdit = new QLineEdit(this);
    m_maxEdit->setObjectName(QStringLiteral("maxTime"));
    m_toolTip = new CPPToolTip(this);
    m_toolTip->Create(this);
    m_toolTip->AddTool(m_minEdit, QStringLiteral("Please enter min value before the max value."));
    m_toolTip->AddTool(m_maxEdit, QStringLiteral("Please enter max value after the min value."));

    auto *grid = new QGridLayout;
    grid->addWidget(m_all, 0, 0, 1, 2);
    grid->addWidget(m_minCheck, 1, 0);
    grid->addWidget(m_minEdit, 1, 1);
    grid->addWidget(m_maxCheck, 2, 0);
    grid->addWidget(m_maxEdit, 2, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    // Until a bound is preset or ALL is checked, the bounds cannot be chosen.
    for (QWidget *w : {static_cast<QWidget *>(m_minCheck), static_cast<QWidget *>(m_maxCheck),
                       static_cast<QWidget *>(m_minEdit), static_cast<QWidget *>(m_maxEdit)})
        w->setEnabled(false);

    connect(buttons, &QDialogButtonBox::accepted, this, &CTruncateDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTruncateDlg::reject);
    connect(m_all, &QCheckBox::clicked, this, [this] { Guarded(this, [this] { OnAllSignals(); }); });
    connect(m_minCheck, &QCheckBox::clicked, this, [this] { Guarded(this, [this] { OnBoundCheck(true); }); });
    connect(m_maxCheck, &QCheckBox::clicked, this, [this] { Guarded(this, [this] { OnBoundCheck(false); }); });
}

CTruncateDlg::~CTruncateDlg() = default;

void CTruncateDlg::SetMinTime(double time, bool set)
{
    m_minTime = time;
    m_minSet = set;
}

void CTruncateDlg::SetMaxTime(double time, bool set)
{
    m_maxTime = time;
    m_maxSet = set;
}

void CTruncateDlg::InitDialog()
{
    m_presetMin = m_minTime;
    m_presetMax = m_maxTime;
    m_presetMinSet = m_minSet;
    m_presetMaxSet = m_maxSet;
    m_unchanged = false;
    m_shownMin = m_minSet ? QString::fromStdString(DoubleToText(m_minTime)) : QString();
    m_shownMax = m_maxSet ? QString::fromStdString(DoubleToText(m_maxTime)) : QString();
    if (!m_minSet && !m_maxSet)
        return;
    m_all->setChecked(true);
    m_minCheck->setChecked(m_minSet);
    m_minCheck->setEnabled(m_minSet);
    m_minEdit->setEnabled(m_minSet);
    m_minEdit->setText(m_shownMin);
    m_maxCheck->setChecked(m_maxSet);
    m_maxCheck->setEnabled(m_maxSet);
    m_maxEdit->setEnabled(m_maxSet);
    m_maxEdit->setText(m_shownMax);
}

int CTruncateDlg::exec()
{
    InitDialog();
    return QDialog::exec();
}

void CTruncateDlg::OnBoundCheck(bool isMin)
{
    QCheckBox *check = isMin ? m_minCheck : m_maxCheck;
    QLineEdit *edit = isMin ? m_minEdit : m_maxEdit;
    bool &set = isMin ? m_minSet : m_maxSet;
    double &time = isMin ? m_minTime : m_maxTime;
    if (check->isChecked()) {
        edit->setEnabled(true);
        edit->setFocus();
        set = true;
    } else {
        edit->setEnabled(false);
        edit->clear();
        time = 0.0;
        set = false;
    }
}

void CTruncateDlg::OnAllSignals()
{
    if (m_all->isChecked()) {
        m_minCheck->setEnabled(true);
        m_maxCheck->setEnabled(true);
        OnBoundCheck(true);
        OnBoundCheck(false);
        return;
    }
    for (QLineEdit *edit : {m_minEdit, m_maxEdit}) {
        edit->setEnabled(false);
        edit->clear();
    }
    for (QCheckBox *check : {m_minCheck, m_maxCheck}) {
        check->setChecked(false);
        check->setEnabled(false);
    }
    m_minTime = m_maxTime = 0.0;
    m_minSet = m_maxSet = false;
}

bool CTruncateDlg::ReadBound(bool isMin)
{
    const bool set = isMin ? m_minSet : m_maxSet;
    if (!set)
        return true;
    QLineEdit *edit = isMin ? m_minEdit : m_maxEdit;
    const QString text = edit->text().trimmed();
    const QString &shown = isMin ? m_shownMin : m_shownMax;
    const bool presetSet = isMin ? m_presetMinSet : m_presetMaxSet;
    const double preset = isMin ? m_presetMin : m_presetMax;
    double &time = isMin ? m_minTime : m_maxTime;
    // A bound left as shown keeps its preset value exactly (the text has 6 digits only);
    // a preset that is no number is read like any typed text.
    if (presetSet && text == shown && std::isfinite(preset)) {
        time = preset;
        return true;
    }
    QString why;
    const auto value = ParseDouble(text, &why);
    if (!value) {
        Warn(this, QStringLiteral("Failure to convert ") +
                       (isMin ? QStringLiteral("Min Time: ") : QStringLiteral("Max Time: ")) + text +
                       QLatin1Char('\n') + why);
        edit->setFocus();
        return false;
    }
    time = *value;
    return true;
}

void CTruncateDlg::accept()
{
    Guarded(this, [this] {
        if (!ReadBound(true) || !ReadBound(false))
            return;
        m_unchanged = m_minSet == m_presetMinSet && m_maxSet == m_presetMaxSet &&
                      (!m_minSet || m_minTime == m_presetMin) && (!m_maxSet || m_maxTime == m_presetMax);
        QDialog::accept();
    });
}

void CTruncateDlg::reject()
{
    m_minSet = m_maxSet = false;
    m_minTime = m_maxTime = 0.0;
    m_unchanged = false;
    QDialog::reject();
}

} // namespace kxres
