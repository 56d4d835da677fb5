#include "shared_ui/header/CPrintPreviewer.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <sstream>

#include "shared_ui/header/TextFunctions.h"
#include "shared_ui/kit/TextFileWriter.h"

namespace kxres {

CPrintPreviewer::CPrintPreviewer(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Print Preview"));
    auto *layout = new QVBoxLayout(this);

    auto *reports = new QGroupBox(QStringLiteral("Reports"), this);
    auto *reportsLayout = new QGridLayout(reports);
    m_spec = new QRadioButton(QStringLiteral("Spec"), reports);
    m_full = new QRadioButton(QStringLiteral("Full"), reports);
    m_preview = new QPushButton(QStringLiteral("Preview"), reports);
    m_print = new QPushButton(QStringLiteral("Print"), reports);
    reportsLayout->addWidget(m_spec, 0, 0);
    reportsLayout->addWidget(m_full, 1, 0);
    reportsLayout->addWidget(m_preview, 0, 1);
    reportsLayout->addWidget(m_print, 1, 1);

    auto *save = new QGroupBox(QStringLiteral("Save"), this);
    auto *saveLayout = new QGridLayout(save);
    m_xyData = new QRadioButton(QStringLiteral("XY Data"), save);
    m_yData = new QRadioButton(QStringLiteral("Y Data"), save);
    m_save = new QPushButton(QStringLiteral("Save XY/Y"), save);
    saveLayout->addWidget(m_xyData, 0, 0);
    saveLayout->addWidget(m_yData, 1, 0);
    saveLayout->addWidget(m_save, 0, 1);

    layout->addWidget(reports);
    layout->addWidget(save);
    layout->addStretch(1);

    connect(m_spec, &QRadioButton::clicked, this, &CPrintPreviewer::OnSpec);
    connect(m_full, &QRadioButton::clicked, this, &CPrintPreviewer::OnFull);
    connect(m_xyData, &QRadioButton::clicked, this, &CPrintPreviewer::OnXYData);
    connect(m_yData, &QRadioButton::clicked, this, &CPrintPreviewer::OnYData);
    connect(m_preview, &QPushButton::clicked, this, &CPrintPreviewer::OnPreview);
    connect(m_print, &QPushButton::clicked, this, &CPrintPreviewer::OnPrintReport);
    connect(m_save, &QPushButton::clicked, this, &CPrintPreviewer::SaveCurveText);
    OnSetActive();
}

CPrintPreviewer::~CPrintPreviewer() = default;

void CPrintPreviewer::SetCurrentSignal(std::shared_ptr<kx::CNSignal> signal)
{
    m_report.SetSignal(signal);
    m_signal = std::move(signal);
}

void CPrintPreviewer::showEvent(QShowEvent *event)
{
    // A visit of the page; a window restored from the task bar shows it spontaneously.
    if (!event->spontaneous())
        OnSetActive();
    QWidget::showEvent(event);
}

void CPrintPreviewer::OnSetActive()
{
    m_spec->setChecked(true);
    m_yData->setChecked(true);
    m_reportChoice = 0;
    m_dataChoice = 0;
}

void CPrintPreviewer::OnSpec()
{
    m_reportChoice = 0;
    m_spec->setChecked(true);
}

void CPrintPreviewer::OnFull()
{
    m_reportChoice = 1;
    m_full->setChecked(true);
}

void CPrintPreviewer::OnXYData()
{
    m_dataChoice = 1;
    m_xyData->setChecked(true);
}

void CPrintPreviewer::OnYData()
{
    m_dataChoice = 0;
    m_yData->setChecked(true);
}

void CPrintPreviewer::OnPreview()
{
    if ((m_reportChoice != 0 && m_reportChoice != 1) || !m_report.GetSignal())
        return;
    m_report.SetKind(m_reportChoice);
    m_report.Preview(this);
}

void CPrintPreviewer::OnPrintReport()
{
    if ((m_reportChoice != 0 && m_reportChoice != 1) || !m_report.GetSignal())
        return;
    m_report.SetKind(m_reportChoice);
    m_report.Print(this);
}

void CPrintPreviewer::OnFilePrint()
{
    if (!m_report.GetSignal())
        return;
    m_report.StartPrintThread();
}

std::string CPrintPreviewer::SafeFileText(const std::string &text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const std::size_t last = text.find_last_not_of(" \t");
    std::string safe = text.substr(first, last - first + 1);
    for (char &c : safe) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
            c == '<' || c == '>' || c == '|') {
            c = '_';
        }
    }
    for (std::size_t pos = safe.find(".."); pos != std::string::npos; pos = safe.find("..")) {
        safe.replace(pos, 2, "_");
    }
    while (!safe.empty() && safe.front() == '.')
        safe.erase(safe.begin());
    while (!safe.empty() && safe.back() == '.')
        safe.pop_back();
    return safe;
}

bool CPrintPreviewer::GetDefaultSaveName(std::string &extension, std::string &name) const
{
    if (!m_signal || m_signal->GetYCount() == 0)
        return false;
    std::string ext = ".txt";
    if (m_signal->GetCurNo() >= 1) {
        const std::string curve = SafeFileText(m_signal->GetCurNam());
        if (!curve.empty())
            ext = "." + curve;
    }
    std::string base =
        m_signal->GetTstNo() >= 1 ? std::to_string(m_signal->GetTstNo()) : SafeFileText(m_signal->GetTstRef());
    // Without test number and reference the curve file's own name stands in, so the
    // proposal is never a bare extension (a hidden file).
    if (base.empty()) {
        const std::string file = m_signal->GetFileName();
        base = SafeFileText(file.substr(0, file.rfind('.')));
    }
    if (base.empty())
        base = "curve";
    extension += ext;
    name += base + ext;
    return true;
}

QString CPrintPreviewer::WriteCurveText(const QString &path) const
{
    const QString failure = QStringLiteral("Failure to open file ") + path;
    if (m_dataChoice != 0 && m_dataChoice != 1)
        return QStringLiteral("Check Radio Button X or XY");
    if (!m_signal)
        return failure;
    std::ostringstream text;
    for (const auto &point : m_signal->MakePoints()) {
        if (!point)
            continue;
        if (m_dataChoice == 0) {
            WritePointY(text, *point);
        } else {
            WritePointXY(text, *point);
        }
    }
    // Written beside the target and renamed over it: a failed write leaves an old file whole.
    if (!WriteTextFile(path, text.str()))
        return failure;
    return QString();
}

void CPrintPreviewer::SaveCurveText()
{
    std::string extension;
    std::string name;
    if (!GetDefaultSaveName(extension, name))
        return;
    const QString ext = QString::fromStdString(extension);
    const QString filter = QStringLiteral("ASCI Files (*%1);;All Files (*.*)").arg(ext);
    const QString path = AskSavePath(ext, QString::fromStdString(name), filter);
    if (path.isEmpty())
        return;
    const QString message = WriteCurveText(path);
    if (!message.isEmpty())
        ShowMessage(message);
}

QString CPrintPreviewer::AskSavePath(const QString &extension, const QString &name, const QString &filter)
{
    if (m_savePathPrompt)
        return m_savePathPrompt(extension, name, filter);
    // The dialog asks before it replaces an existing file.
    QPointer<QFileDialog> dialog = new QFileDialog(this);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(extension.mid(1));
    dialog->setNameFilter(filter);
    dialog->selectFile(name);
    const int result = dialog->exec();
    if (dialog.isNull())
        return QString();
    const QStringList files = dialog->selectedFiles();
    delete dialog.data();
    if (result != QDialog::Accepted || files.isEmpty())
        return QString();
    return files.front();
}

void CPrintPreviewer::ShowMessage(const QString &text)
{
    if (m_messageSink) {
        m_messageSink(text);
        return;
    }
    QMessageBox::information(this, QApplication::applicationDisplayName(), text);
}

} // namespace kxres
