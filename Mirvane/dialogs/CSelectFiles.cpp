#include "Mirvane/dialogs/CSelectFiles.h"

#include "platform/CSettings.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"
#include "shared_ui/kit/TextFileWriter.h"
#include "signal/HitList.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mirvane {

namespace {

const QStringList kFilters = {
    QStringLiteral("UDS Acceleration Data (*aa0.*)"), QStringLiteral("UDS Displacement Data (*da0.*)"),
    QStringLiteral("UDS Force Data (*fa0.*)"),        QStringLiteral("UDS Moment Data (*ta0.*)"),
    QStringLiteral("Processed UDS Data (*.uds)"),     QStringLiteral("All Files (*)"),
};
const char *const kHitFilter = "Hit list files (*.hit)";

QString FolderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

// The list keeps its entries in alphabetical order, ignoring case.
class NameItem : public QListWidgetItem {
public:
    explicit NameItem(const QString &text)
        : QListWidgetItem(text)
    {}
    bool operator<(const QListWidgetItem &other) const override
    {
        return text().compare(other.text(), Qt::CaseInsensitive) < 0;
    }
};

QString Number(double value)
{
    return QString::number(value, 'g', 8);
}

} // namespace

QString SignalFileFilters()
{
    return kFilters.join(QStringLiteral(";;"));
}

CSelectFiles::CSelectFiles(kxplatform::CSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setWindowTitle(QStringLiteral("Select Uds Files"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("signals"));
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_list->setSortingEnabled(true);
    auto *add = new QPushButton(QStringLiteral("Add Files ..."), this);
    auto *remove = new QPushButton(QStringLiteral("Remove"), this);
    auto *readHit = new QPushButton(QStringLiteral("Read Hitlist"), this);
    auto *saveHit = new QPushButton(QStringLiteral("Save Hitlist"), this);

    m_class = new QComboBox(this);
    m_class->addItems(
        {QStringLiteral("CFC60"), QStringLiteral("CFC180"), QStringLiteral("CFC600"), QStringLiteral("CFC1000")});
    m_filter = new QCheckBox(QStringLiteral("Filter all signals prior to analysis"), this);
    m_truncate = new QCheckBox(QStringLiteral("Truncate all signals "), this);
    m_minTime = new QLineEdit(this);
    m_maxTime = new QLineEdit(this);

    auto *group = new QGroupBox(QStringLiteral("Reference"), this);
    m_selectSignal = new QRadioButton(QStringLiteral("Select Signal"), group);
    m_average = new QRadioButton(QStringLiteral("Compare to Average "), group);
    m_reference = new QLineEdit(group);
    m_browseReference = new QPushButton(QStringLiteral("..."), group);
    auto *groupLayout = new QGridLayout(group);
    groupLayout->addWidget(m_selectSignal, 0, 0);
    groupLayout->addWidget(m_reference, 0, 1);
    groupLayout->addWidget(m_browseReference, 0, 2);
    groupLayout->addWidget(m_average, 1, 0, 1, 3);

    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Signals to be Evaluated"), this));
    left->addWidget(m_list);
    auto *listButtons = new QHBoxLayout;
    for (QPushButton *b : {add, remove, readHit, saveHit})
        listButtons->addWidget(b);
    left->addLayout(listButtons);

    auto *options = new QGridLayout;
    options->addWidget(m_filter, 0, 0, 1, 2);
    options->addWidget(m_class, 1, 1);
    options->addWidget(m_truncate, 2, 0, 1, 2);
    options->addWidget(new QLabel(QStringLiteral("Min Time"), this), 3, 0);
    options->addWidget(m_minTime, 3, 1);
    options->addWidget(new QLabel(QStringLiteral("Max Time"), this), 4, 0);
    options->addWidget(m_maxTime, 4, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(group);
    layout->addLayout(options);
    layout->addWidget(buttons);

    auto guarded = [this](std::function<void()> f) { return [this, f] { kxres::Guarded(this, f); }; };
    connect(add, &QPushButton::clicked, this, guarded([this] { OnAddFiles(); }));
    connect(remove, &QPushButton::clicked, this, guarded([this] { OnRemove(); }));
    connect(readHit, &QPushButton::clicked, this, guarded([this] { OnReadHitlist(); }));
    connect(saveHit, &QPushButton::clicked, this, guarded([this] { OnSaveHitlist(); }));
    connect(m_browseReference, &QPushButton::clicked, this, guarded([this] { OnChooseReference(); }));
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{m_selectSignal, m_average, m_filter, m_truncate})
        connect(b, &QAbstractButton::clicked, this, guarded([this] { UpdateEnabling(); }));
    connect(buttons, &QDialogButtonBox::accepted, this, guarded([this] { accept(); }));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    SetValues(m_values);
}

void CSelectFiles::SetValues(const CSelectFilesValues &values)
{
    m_values = values;
    m_list->clear();
    for (const std::string &name : values.files)
        AddEntry(QString::fromStdString(name));
    const int index = values.filterClass == 60     ? 0
                      : values.filterClass == 180  ? 1
                      : values.filterClass == 600  ? 2
                      : values.filterClass == 1000 ? 3
                                                   : -1;
    m_class->setCurrentIndex(index);
    m_reference->setText(QString::fromStdString(values.referenceFile));
    (values.referenceKind == 1 ? m_average : m_selectSignal)->setChecked(true);
    m_filter->setChecked(values.filter);
    m_truncate->setChecked(values.truncate);
    m_minTime->setText(Number(values.minTime));
    m_maxTime->setText(Number(values.maxTime));
    UpdateEnabling();
}

void CSelectFiles::UpdateEnabling()
{
    const bool chosen = m_selectSignal->isChecked();
    m_reference->setEnabled(chosen);
    m_browseReference->setEnabled(chosen);
    m_class->setEnabled(m_filter->isChecked());
    m_minTime->setEnabled(m_truncate->isChecked());
    m_maxTime->setEnabled(m_truncate->isChecked());
}

std::vector<std::string> CSelectFiles::Entries() const
{
    std::vector<std::string> names;
    for (int i = 0; i < m_list->count(); ++i)
        names.push_back(m_list->item(i)->text().toStdString());
    return names;
}

void CSelectFiles::AddEntry(const QString &path)
{
    m_list->addItem(new NameItem(path));
}

QStringList CSelectFiles::ChooseOpenFiles(const QString &title, const QString &folder, const QString &filter,
                                          QString *selectedFilter)
{
    return QFileDialog::getOpenFileNames(this, title, folder, filter, selectedFilter);
}

QString CSelectFiles::ChooseOpenFile(const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(this, title, folder, filter);
}

QString CSelectFiles::ChooseSaveFile(const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getSaveFileName(this, title, folder, filter);
}

void CSelectFiles::OnAddFiles()
{
    const int type = std::clamp(m_settings.GetInt("DataType", 3), 1, static_cast<int>(kFilters.size()));
    QString selected = kFilters[type - 1];
    const QStringList paths =
        ChooseOpenFiles(QStringLiteral("Select Uds File(s) to Evaluate"),
                        QString::fromStdString(m_settings.GetString("InputDir", QDir::homePath().toStdString())),
                        SignalFileFilters(), &selected);
    if (paths.isEmpty())
        return;
    const auto at = kFilters.indexOf(selected);
    if (at >= 0)
        m_settings.SetInt("DataType", static_cast<int>(at) + 1);
    for (const QString &path : paths)
        AddEntry(path);
    m_settings.SetString("InputDir", FolderOf(paths.back()).toStdString());
}

void CSelectFiles::OnChooseReference()
{
    const QString path =
        ChooseOpenFile(QStringLiteral("Select Reference Uds File"),
                       QString::fromStdString(m_settings.GetString("ReferenceDir", QDir::homePath().toStdString())),
                       SignalFileFilters());
    if (path.isEmpty())
        return;
    m_reference->setText(path);
    m_settings.SetString("ReferenceDir", FolderOf(path).toStdString());
}

void CSelectFiles::OnRemove()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    for (QListWidgetItem *item : selected)
        delete m_list->takeItem(m_list->row(item));
}

bool CSelectFiles::ReadHitlist(const QString &path)
{
    std::vector<std::string> lines;
    std::string error;
    const kx::HitListRead read = kx::ReadHitList(path.toStdString(), lines, error);
    if (read == kx::HitListRead::kNotOpened) {
        kxres::WarnError(this, QStringLiteral("Unable to read Hit list file"));
        return false;
    }
    for (const std::string &line : lines)
        AddEntry(QString::fromStdString(kx::ResolveHitListLine(path.toStdString(), line)));
    if (read == kx::HitListRead::kRefused) {
        kxres::WarnError(this, QString::fromStdString(error));
        return false;
    }
    m_settings.SetString("HitlistDir", FolderOf(path).toStdString());
    return true;
}

bool CSelectFiles::SaveHitlist(const QString &path)
{
    std::string text;
    for (const std::string &name : Entries())
        text += name + "\n";
    QString error;
    if (!kxres::WriteTextFile(path, text, &error)) {
        kxres::WarnError(this, QStringLiteral("Unable to write Hit list file") + QStringLiteral("\n") + error);
        return false;
    }
    m_settings.SetString("HitlistDir", FolderOf(path).toStdString());
    return true;
}

void CSelectFiles::OnReadHitlist()
{
    const QString path =
        ChooseOpenFile(QStringLiteral("Select Hit List"),
                       QString::fromStdString(m_settings.GetString("HitlistDir", QDir::homePath().toStdString())),
                       QString::fromLatin1(kHitFilter));
    if (!path.isEmpty())
        ReadHitlist(path);
}

void CSelectFiles::OnSaveHitlist()
{
    const QString path =
        ChooseSaveFile(QStringLiteral("Save Hit List as"),
                       QString::fromStdString(m_settings.GetString("HitlistDir", QDir::homePath().toStdString())),
                       QString::fromLatin1(kHitFilter));
    if (!path.isEmpty())
        SaveHitlist(path);
}

void CSelectFiles::accept()
{
    CSelectFilesValues values = m_values;
    values.referenceFile = m_reference->text().toStdString();
    values.referenceKind = m_average->isChecked() ? 1 : 0;
    values.filter = m_filter->isChecked();
    values.truncate = m_truncate->isChecked();
    QString why;
    const auto minTime = kxres::ParseDouble(m_minTime->text(), &why);
    if (!minTime) {
        kxres::Warn(this, QStringLiteral("Min Time: ") + why);
        m_minTime->setFocus();
        return;
    }
    const auto maxTime = kxres::ParseDouble(m_maxTime->text(), &why);
    if (!maxTime) {
        kxres::Warn(this, QStringLiteral("Max Time: ") + why);
        m_maxTime->setFocus();
        return;
    }
    values.minTime = *minTime;
    values.maxTime = *maxTime;

    if (values.referenceKind == 0 && values.referenceFile.empty()) {
        QApplication::beep();
        m_reference->setFocus();
        return;
    }
    if (m_list->count() == 0) {
        kxres::WarnError(this, QStringLiteral("You must select at least one signal"));
        m_list->setFocus();
        return;
    }
    values.files = Entries();
    m_settings.SetInt("ReferenceType", values.referenceKind);
    const int index = m_class->currentIndex();
    values.filterClass = index == 1 ? 180 : index == 2 ? 600 : index == 3 ? 1000 : 60;
    if (!(values.minTime < values.maxTime)) {
        kxres::Warn(this, QStringLiteral("Max time must be > min time"));
        m_maxTime->setFocus();
        return;
    }
    m_values = values;
    QDialog::accept();
}

} // namespace mirvane
