#include "Pellora/views/CPelloraView.h"

#include "shared_ui/services/Clipboard.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/document/FileListNames.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>

#include <filesystem>
#include <set>

namespace pellora {

CPelloraView::CPelloraView(CPelloraDoc &doc, QWidget *parent)
    : QListWidget(parent)
    , m_doc(doc)
{
    setObjectName(QStringLiteral("fileList"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setViewMode(QListView::ListMode);
    setUniformItemSizes(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    connect(this, &QListWidget::itemSelectionChanged, this, &CPelloraView::OnSelectionChanged);
    connect(&m_doc, &CPelloraDoc::Updated, this, &CPelloraView::OnUpdate);
}

void CPelloraView::OnUpdate(UpdateHint hint)
{
    if (hint == UpdateHint::FileList)
        Refill();
}

void CPelloraView::Refill()
{
    m_refilling = true;
    const CUiWaitCursor wait(m_doc.Ui());
    // With files still selected the list is the same set listed again: the current
    // item and the scroll position stay.
    const QString current = currentItem() ? currentItem()->text() : QString();
    const int scrolled = verticalScrollBar()->value();
    clear();
    std::set<std::string> held;
    for (const auto &file : m_doc.GetSelectedFiles())
        held.insert(file->GetPathName());
    QStringList names;
    names.reserve(static_cast<qsizetype>(m_doc.GetFileNames().size()));
    for (const std::string &name : m_doc.GetFileNames())
        names << QString::fromStdString(name);
    addItems(names);
    if (!held.empty()) {
        int row = 0;
        for (const std::string &name : m_doc.GetFileNames()) {
            if (held.count(pellora::AbsolutePath(m_doc.FullPathOf(name)))) {
                item(row)->setSelected(true);
                if (item(row)->text() == current)
                    setCurrentItem(item(row), QItemSelectionModel::NoUpdate);
            }
            ++row;
        }
        // After the current item, which scrolls the list to itself.
        verticalScrollBar()->setValue(scrolled);
    }
    m_refilling = false;
}

std::vector<std::string> CPelloraView::SelectedNames() const
{
    std::vector<std::string> names;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected())
            names.push_back(item(row)->text().toStdString());
    }
    return names;
}

std::vector<std::string> CPelloraView::UnselectedNames() const
{
    std::vector<std::string> names;
    for (int row = 0; row < count(); ++row) {
        if (!item(row)->isSelected())
            names.push_back(item(row)->text().toStdString());
    }
    return names;
}

void CPelloraView::SelectNames(const QStringList &names)
{
    m_refilling = true;
    clearSelection();
    for (int row = 0; row < count(); ++row) {
        if (names.contains(item(row)->text()))
            item(row)->setSelected(true);
    }
    m_refilling = false;
    OnSelectionChanged();
}

void CPelloraView::OnSelectionChanged()
{
    if (m_refilling)
        return;
    std::vector<std::string> paths;
    for (const std::string &name : SelectedNames())
        paths.push_back(m_doc.FullPathOf(name));
    m_doc.SelectFiles(paths);
}

void CPelloraView::OnApplyFilter()
{
    if (m_doc.IsHitList() || m_doc.GetDirectory().empty() || !m_doc.Ui())
        return;
    std::string pattern = "*.*";
    if (m_doc.Ui()->EditLabel("Apply Filter for Displaying File Names", "Enter Filter    (e.g. v*.aa0.*)", pattern))
        m_doc.ApplyFilter(pattern);
}

void CPelloraView::OnCopyFilenames()
{
    QString text;
    for (const std::string &name : SelectedNames())
        text += QString::fromStdString(m_doc.FullPathOf(name)) + QStringLiteral("\r\n");
    if (!text.isEmpty())
        kxres::PutTextOnClipboard(text);
}

void CPelloraView::OnPasteFilenames()
{
    AddFromMimeData(QApplication::clipboard()->mimeData());
}

bool CPelloraView::CanTake(const QMimeData *data)
{
    return data && (data->hasUrls() || data->hasText());
}

bool CPelloraView::AddFromMimeData(const QMimeData *data)
{
    if (!data)
        return false;
    std::vector<std::string> paths;
    if (data->hasUrls()) {
        for (const QUrl &url : data->urls()) {
            if (url.isLocalFile())
                paths.push_back(url.toLocalFile().toStdString());
        }
    } else if (data->hasText()) {
        for (const std::string &line : pellora::SplitPastedText(data->text().toStdString())) {
            // A dragged file manager selection may come as file URLs in text form.
            const QUrl url(QString::fromStdString(line));
            paths.push_back(url.isLocalFile() ? url.toLocalFile().toStdString() : line);
        }
    }
    if (paths.empty())
        return false;
    m_doc.AddFileNames(paths);
    return true;
}

void CPelloraView::OnClearHitList()
{
    m_doc.ClearHitList();
}

void CPelloraView::OnRemoveSelected()
{
    m_doc.RemoveFileNames(SelectedNames());
}

void CPelloraView::OnRemoveUnselected()
{
    m_doc.KeepFileNames(SelectedNames());
}

void CPelloraView::OnDataFile(const std::string &path)
{
    m_doc.AddDataFile(path);
}

void CPelloraView::OnHitList(const std::string &path)
{
    m_doc.AddHitList(path);
}

QMenu *CPelloraView::BuildContextMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    const bool hitList = m_doc.IsHitList();
    const bool anySelected = !selectedItems().isEmpty();
    // Every entry runs inside the guard: nothing it throws leaves the menu.
    const auto add = [this, menu](const QString &text, bool enabled, auto slot) {
        QAction *action = menu->addAction(text);
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, action, [this, slot] { kxres::Guarded(this, slot); });
        return action;
    };
    const bool canPaste = CanTake(QApplication::clipboard()->mimeData());
    if (!hitList)
        add(QStringLiteral("Apply Filter ..."), !m_doc.GetDirectory().empty(), [this] { OnApplyFilter(); });
    add(QStringLiteral("Copy Filename(s)"), anySelected, [this] { OnCopyFilenames(); });
    add(QStringLiteral("Paste Filename(s)"), canPaste, [this] { OnPasteFilenames(); });
    menu->addSeparator();
    if (hitList) {
        add(QStringLiteral("Clear HitList"), true, [this] { OnClearHitList(); });
        add(QStringLiteral("Remove Selected Item(s)"), anySelected, [this] { OnRemoveSelected(); });
        add(QStringLiteral("Remove Unselected Item(s)"), anySelected, [this] { OnRemoveUnselected(); });
        add(QStringLiteral("Edit HitList"), true, [this] { m_doc.OnEditHitList(); });
        menu->addSeparator();
        add(QStringLiteral("Save As a HitList..."), m_doc.GetFileNames().size() > 0,
            [this] { m_doc.OnSaveAsHitList(); });
        add(QStringLiteral("Save Selected As a Hitlist..."), !m_doc.GetSelectedFiles().empty(),
            [this] { m_doc.OnSaveSelectedAsHitList(); });
    } else {
        add(QStringLiteral("Save As a HitList ..."), m_doc.GetFileNames().size() > 0,
            [this] { m_doc.OnSaveAsHitList(); });
    }
    return menu;
}

std::string CPelloraView::CurrentItemStem() const
{
    const QListWidgetItem *item = currentItem();
    if (!item || !item->isSelected())
        return {};
    return QFileInfo(item->text()).completeBaseName().toStdString();
}

void CPelloraView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = BuildContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void CPelloraView::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void CPelloraView::dragMoveEvent(QDragMoveEvent *event)
{
    if (CanTake(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void CPelloraView::dropEvent(QDropEvent *event)
{
    if (AddFromMimeData(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace pellora
