#include "HIC/dialogs/CSurfaceParams.h"

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace hic {

CSurfaceParams::CSurfaceParams(const SurfaceParams &p, QWidget *parent)
    : QDialog(parent)
    , m_params(p)
{
    setWindowTitle(QStringLiteral("Enter Response Surface Intervals"));
    auto *grid = new QGridLayout(this);
    const char *columns[] = {"From", "To", "Every"};
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(QString::fromLatin1(columns[c]), this), 0, c + 1);
    grid->addWidget(new QLabel(QStringLiteral("Start time (sec)"), this), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Window Size (sec)"), this), 2, 0);
    const double values[] = {p.startFrom, p.startTo, p.startEvery, p.windowFrom, p.windowTo, p.windowEvery};
    for (int i = 0; i < 6; ++i) {
        m_edits[i] = new QLineEdit(QString::number(values[i], 'g', 6), this);
        grid->addWidget(m_edits[i], 1 + i / 3, 1 + i % 3);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSurfaceParams::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 4);
}

void CSurfaceParams::accept()
{
    double v[6];
    for (int i = 0; i < 6; ++i) {
        QString why;
        const std::optional<double> value = kxres::ParseDouble(m_edits[i]->text(), &why);
        if (!value) {
            kxres::Warn(this, why);
            m_edits[i]->setFocus();
            return;
        }
        v[i] = *value;
    }
    const char *refusal = nullptr;
    if (v[0] >= v[1])
        refusal = "Invalid Time Interval";
    else if (v[2] <= 0.0)
        refusal = "Invalid Time Increment";
    else if (v[3] >= v[4])
        refusal = "Invalid Window Interval";
    else if (v[5] <= 0.0)
        refusal = "Invalid Window Increment";
    if (refusal) {
        kxres::Warn(this, QString::fromLatin1(refusal));
        return;
    }
    m_params = {v[0], v[1], v[2], v[3], v[4], v[5]};
    QDialog::accept();
}

} // namespace hic
