#include "HIC/dialogs/COpenFiles.h"

#include "platform/CSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace hic {

namespace {

const char *const kTitles[] = {"Open Resultant File", "Open X Axis File", "Open Y Axis File", "Open Z Axis File"};
const char *const kFilters[] = {"Uds Acceleration (*aa0.*)", "All Files (*)"};

} // namespace

COpenFiles::COpenFiles(const OpenFilesValues &v, kxplatform::CSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_uds(new QRadioButton(QStringLiteral("UDS"), this))
    , m_ascii(new QRadioButton(QStringLiteral("ASCII"), this))
    , m_resultant(new QRadioButton(QStringLiteral("Select A Resultant File"), this))
    , m_components(new QRadioButton(QStringLiteral("Select X, Y, Z Components"), this))
    , m_checkHeaders(new QCheckBox(QStringLiteral("Check UDS Headers"), this))
    , m_applyFilter(new QCheckBox(QStringLiteral("Apply CFC 1000 Filter"), this))
{
    setWindowTitle(QStringLiteral("Select Files"));
    chooseFile = [this](const QString &title, const QString &folder, const QString &filters, QString &chosen) {
        return QFileDialog::getOpenFileName(this, title, folder, filters, &chosen);
    };
    auto *types = new QButtonGroup(this);
    types->addButton(m_uds);
    types->addButton(m_ascii);
    auto *inputs = new QButtonGroup(this);
    inputs->addButton(m_resultant);
    inputs->addButton(m_components);
    (v.fileType == 1 ? m_ascii : m_uds)->setChecked(true);
    // The dialog opens on the resultant.
    m_resultant->setChecked(true);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_uds, 0, 0);
    grid->addWidget(m_ascii, 0, 1);
    grid->addWidget(m_resultant, 1, 0, 1, 3);
    const std::string *paths[] = {&v.resultantPath, &v.xPath, &v.yPath, &v.zPath};
    const char *labels[] = {"Resultant", "X", "Y", "Z"};
    for (int axis = 0; axis < 4; ++axis) {
        m_paths[axis] = new QLineEdit(QString::fromStdString(*paths[axis]), this);
        m_paths[axis]->setMinimumWidth(380);
        auto *browse = new QPushButton(QStringLiteral("Browse ..."), this);
        connect(browse, &QPushButton::clicked, this, [this, axis] { Browse(axis); });
        const int row = axis == 0 ? 2 : axis + 3;
        grid->addWidget(new QLabel(QString::fromLatin1(labels[axis]), this), row, 0);
        grid->addWidget(m_paths[axis], row, 1);
        grid->addWidget(browse, row, 2);
        if (axis == 0)
            grid->addWidget(m_components, 3, 0, 1, 3);
    }
    m_checkHeaders->setChecked(v.checkHeaders);
    m_applyFilter->setChecked(v.applyFilter);
    grid->addWidget(m_checkHeaders, 7, 0, 1, 2);
    grid->addWidget(m_applyFilter, 8, 0, 1, 2);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 9, 0, 1, 3);
    connect(m_checkHeaders, &QCheckBox::toggled, this, &COpenFiles::UpdateEnabling);
    UpdateEnabling();
}

void COpenFiles::UpdateEnabling()
{
    m_applyFilter->setEnabled(!m_checkHeaders->isChecked());
}

void COpenFiles::Browse(int axis)
{
    const QString folder = QString::fromStdString(m_settings.GetString("InputDir", "Q:\\uds\\vehdb"));
    const int index = std::clamp(m_settings.GetInt("FileType", 1), 1, 2);
    QString chosenFilter = QString::fromLatin1(kFilters[index - 1]);
    const QString filters =
        QStringLiteral("%1;;%2").arg(QString::fromLatin1(kFilters[0]), QString::fromLatin1(kFilters[1]));
    const QString file = chooseFile(QString::fromLatin1(kTitles[axis]), folder, filters, chosenFilter);
    if (file.isEmpty())
        return;
    m_paths[axis]->setText(file);
    m_settings.SetString("InputDir", QFileInfo(file).absolutePath().toStdString());
    m_settings.SetInt("FileType", chosenFilter == QString::fromLatin1(kFilters[1]) ? 2 : 1);
}

OpenFilesValues COpenFiles::Values() const
{
    OpenFilesValues v;
    v.resultantPath = m_paths[0]->text().trimmed().toStdString();
    v.xPath = m_paths[1]->text().trimmed().toStdString();
    v.yPath = m_paths[2]->text().trimmed().toStdString();
    v.zPath = m_paths[3]->text().trimmed().toStdString();
    v.fileType = m_ascii->isChecked() ? 1 : 0;
    v.resultant = m_resultant->isChecked();
    v.checkHeaders = m_checkHeaders->isChecked();
    v.applyFilter = m_applyFilter->isChecked();
    return v;
}

} // namespace hic
