#include "shared_ui/services/CBrowseForFolder.h"

#include <QAbstractItemView>
#include <QDir>
#include <QItemSelectionModel>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLabel>

CBrowseForFolder::CBrowseForFolder(QWidget *owner, const QString &root, const QString &title)
    : m_owner(owner)
    , m_root(root)
    , m_title(title)
{}

CBrowseForFolder::~CBrowseForFolder() = default;

void CBrowseForFolder::SetOwner(QWidget *owner)
{
    if (!IsOpen())
        m_owner = owner;
}

void CBrowseForFolder::SetRoot(const QString &root)
{
    if (!IsOpen())
        m_root = root;
}

bool CBrowseForFolder::SetTitle(const QString &title)
{
    if (IsOpen())
        return false;
    m_title = title;
    return true;
}

void CBrowseForFolder::SetFlags(unsigned flags)
{
    if (!IsOpen())
        m_flags = flags;
}

bool CBrowseForFolder::SelectFolder()
{
    if (IsOpen())
        return false;
    QFileDialog dialog(m_owner.data(), m_title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!m_root.isEmpty())
        dialog.setDirectory(m_root);
    m_dialog = &dialog;

    // A status line needs Qt's own dialog (it goes under the file list); without one
    // the desktop's native dialog is used where there is one.
    if (m_flags & StatusText) {
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout())) {
            auto *status = new QLabel(&dialog);
            status->setObjectName(QStringLiteral("statusText"));
            status->setTextInteractionFlags(Qt::TextSelectableByMouse);
            grid->addWidget(status, grid->rowCount(), 0, 1, grid->columnCount());
            m_status = status;
        }
    }

    QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog, [this](const QString &path) {
        const QFileInfo info(path);
        OnSelChanged(info.exists() ? QDir::cleanPath(info.absoluteFilePath()) : QString());
    });
    QObject::connect(&dialog, &QFileDialog::directoryEntered, &dialog,
                     [this](const QString &path) { OnSelChanged(QDir::cleanPath(path)); });

    // In Qt's own dialog a selection made in its lists counts too.
    const auto views = dialog.findChildren<QAbstractItemView *>();
    for (QAbstractItemView *view : views) {
        if (!view->selectionModel())
            continue;
        QItemSelectionModel *selection = view->selectionModel();
        QObject::connect(selection, &QItemSelectionModel::selectionChanged, &dialog, [this, selection] {
            const QModelIndexList rows = selection->selectedRows();
            if (rows.isEmpty())
                return;
            const QFileInfo info(rows.front().data(QFileSystemModel::FilePathRole).toString());
            OnSelChanged(info.exists() ? QDir::cleanPath(info.absoluteFilePath()) : QString());
        });
    }

    OnInit();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    QString chosen;
    if (accepted) {
        const QStringList files = dialog.selectedFiles();
        if (!files.isEmpty())
            chosen = files.front();
    }
    m_status.clear();
    m_dialog.clear();
    if (!accepted)
        return false;
    m_path.clear();
    if (chosen.isEmpty())
        return false;
    m_path = QDir::cleanPath(chosen);
    return true;
}

void CBrowseForFolder::SetSelection(const QString &path)
{
    if (!m_dialog)
        return;
    const QFileInfo info(path);
    if (info.isDir()) {
        m_dialog->setDirectory(info.absoluteFilePath());
        m_dialog->selectFile(info.absoluteFilePath());
    } else {
        // A folder that does not exist is still passed on; the dialog decides what it shows.
        m_dialog->selectFile(path);
    }
}

void CBrowseForFolder::SetStatusText(const QString &text)
{
    if (m_status)
        m_status->setText(text);
}

QString CBrowseForFolder::GetStatusText() const
{
    return m_status ? m_status->text() : QString();
}
