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
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <filesystem>
#include <set>
#include <unordered_set>

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

namespace {

// Sets a flag for its lifetime.
class FlagScope {
public:
    explicit FlagScope(bool &flag)
        : m_flag(flag)
        , m_was(flag)
    {
        m_flag = true;
    }
    ~FlagScope() { m_flag = m_was; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
    bool m_was;
};

} // namespace

bool CPelloraView::RunGuarded(const std::function<void()> &call)
{
    if (m_guard)
        return m_guard(call);
    return kxres::Guarded(this, call);
}

void CPelloraView::Refill()
{
    const FlagScope refilling(m_refilling);
    const CUiWaitCursor wait(m_doc.Ui());
    // With files still selected the list is the same set listed again: the current
    // item and the scroll position stay.
    const QString current = currentItem() ? currentItem()->text() : QString();
    const int scrolled = verticalScrollBar()->value();
    const std::vector<std::string> &docNames = m_doc.GetFileNames();
    bool same = count() == static_cast<int>(docNames.size());
    for (int row = 0; same && row < count(); ++row)
        same = item(row)->text().toStdString() == docNames[static_cast<std::size_t>(row)];
    if (!same) {
        clear();
        QStringList names;
        names.reserve(static_cast<qsizetype>(docNames.size()));
        for (const std::string &name : docNames)
            names << QString::fromStdString(name);
        addItems(names);
    }
    std::vector<std::string> held;
    held.reserve(m_doc.GetSelectedFiles().size());
    for (const auto &file : m_doc.GetSelectedFiles())
        held.push_back(file->GetPathName());
    SelectHeld(held);
    if (!held.empty()) {
        const QList<QListWidgetItem *> found = findItems(current, Qt::MatchExactly);
        if (!current.isEmpty() && !found.isEmpty() && found.front()->isSelected())
            setCurrentItem(found.front(), QItemSelectionModel::NoUpdate);
        // After the current item, which scrolls the list to itself.
        verticalScrollBar()->setValue(scrolled);
    }
}

void CPelloraView::SelectHeld(const std::vector<std::string> &held)
{
    const std::unordered_set<std::string> wanted(held.begin(), held.end());
    // Runs of neighbouring rows make one range each: the selection changes once.
    QItemSelection selection;
    const std::vector<std::string> &docNames = m_doc.GetFileNames();
    int first = -1;
    const auto close = [&](int end) {
        if (first >= 0)
            selection.select(model()->index(first, 0), model()->index(end - 1, 0));
        first = -1;
    };
    for (int row = 0; row < count(); ++row) {
        const bool selected = !wanted.empty() && static_cast<std::size_t>(row) < docNames.size() &&
                              wanted.count(pellora::AbsolutePath(m_doc.FullPathOf(docNames[std::size_t(row)])));
        if (selected && first < 0)
            first = row;
        else if (!selected)
            close(row);
    }
    close(count());
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

namespace {

// The selected rows of a list, top to bottom.
std::vector<int> SelectedRows(const QListWidget &list)
{
    std::vector<int> rows;
    for (const QModelIndex &index : list.selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace

std::vector<std::string> CPelloraView::SelectedNames() const
{
    std::vector<std::string> names;
    for (int row : SelectedRows(*this))
        names.push_back(item(row)->text().toStdString());
    return names;
}

std::vector<std::string> CPelloraView::UnselectedNames() const
{
    std::vector<bool> selected(static_cast<std::size_t>(count()), false);
    for (int row : SelectedRows(*this))
        selected[static_cast<std::size_t>(row)] = true;
    std::vector<std::string> names;
    for (int row = 0; row < count(); ++row) {
        if (!selected[static_cast<std::size_t>(row)])
            names.push_back(item(row)->text().toStdString());
    }
    return names;
}

void CPelloraView::SelectNames(const QStringList &names)
{
    {
        const FlagScope refilling(m_refilling);
        const QSet<QString> wanted(names.begin(), names.end());
        QItemSelection selection;
        for (int row = 0; row < count(); ++row) {
            if (wanted.contains(item(row)->text()))
                selection.select(model()->index(row, 0), model()->index(row, 0));
        }
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    OnSelectionChanged();
}

void CPelloraView::OnSelectionChanged()
{
    if (m_refilling)
        return;
    RunGuarded([this] {
        std::vector<std::string> paths;
        for (const std::string &name : SelectedNames())
            paths.push_back(m_doc.FullPathOf(name));
        m_doc.SelectFiles(paths);
    });
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
    m_doc.AddDroppedPaths(paths);
    return true;
}

bool CPelloraView::DropMimeData(const QMimeData *data)
{
    bool taken = false;
    RunGuarded([&] { taken = AddFromMimeData(data); });
    return taken;
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
        QObject::connect(action, &QAction::triggered, action, [this, slot] { RunGuarded(slot); });
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
    if (DropMimeData(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace pellora
