#include "Pellora/dialogs/CDirDialog1.h"

#include "platform/CSettings.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/services/CDestination.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

namespace pellora {

CDirDialog1::CDirDialog1(kxplatform::CSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setWindowTitle(QStringLiteral("Select Directory to Browse"));
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("directory"));
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setMinimumWidth(420);
    // The recent folders are offered in a pop-up; the typed text is never replaced, and
    // folder names differing in case are different folders.
    QCompleter *completer = m_combo->completer();
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    m_popup = completer->popup();
    m_popup->installEventFilter(this);
    auto *browse = new QPushButton(QStringLiteral(". . ."), this);
    browse->setObjectName(QStringLiteral("browse"));
    auto *row = new QHBoxLayout;
    row->addWidget(m_combo, 1);
    row->addWidget(browse);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDirDialog1::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &CDirDialog1::OnBrowse);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select Directory"), this));
    layout->addLayout(row);
    layout->addWidget(buttons);

    m_recent = ReadRecent(m_settings);
    m_combo->addItems(m_recent);
    if (!m_recent.isEmpty())
        m_combo->setCurrentIndex(0);
}

void CDirDialog1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The offered folder is selected: what the user types replaces it.
    m_combo->setFocus();
    m_combo->lineEdit()->selectAll();
}

QStringList CDirDialog1::ReadRecent(const kxplatform::CSettings &settings)
{
    QStringList recent;
    for (int i = 0; i < MaxRecent; ++i) {
        const std::string key = "Directory" + std::to_string(i);
        if (!settings.Contains(key))
            break;
        recent << QString::fromStdString(settings.GetString(key));
    }
    return recent;
}

void CDirDialog1::WriteRecent(kxplatform::CSettings &settings, const QStringList &recent)
{
    for (int i = 0; i < recent.size() && i < MaxRecent; ++i)
        settings.SetString("Directory" + std::to_string(i), recent[i].toStdString());
    settings.Sync();
}

QStringList CDirDialog1::PushRecent(QStringList recent, const QString &folder)
{
    recent.removeAll(folder);
    recent.prepend(folder);
    while (recent.size() > MaxRecent)
        recent.removeLast();
    return recent;
}

void CDirDialog1::SetDirectoryText(const QString &text)
{
    m_combo->setEditText(text);
}

void CDirDialog1::OnBrowse()
{
    QString folder = m_combo->currentText();
    if (CDestination::Choose(this, QStringLiteral("Select Directory for UDS files"), folder))
        m_combo->setEditText(folder);
}

bool CDirDialog1::eventFilter(QObject *watched, QEvent *event)
{
    // Return in the open pop-up takes the box's text, as Return in the box does.
    if (watched == m_popup && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_popup->hide();
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CDirDialog1::accept()
{
    const QString text = m_combo->currentText().trimmed();
    if (text.isEmpty())
        return;
    // A folder that does not exist is refused here and never becomes a recent one.
    if (!QFileInfo(text).isDir()) {
        kxres::Warn(this, QStringLiteral("Directory, %1, does not Exist").arg(text));
        return;
    }
    m_directory = text;
    m_recent = PushRecent(m_recent, text);
    WriteRecent(m_settings, m_recent);
    QDialog::accept();
}

} // namespace pellora
