#pragma once

// The file list: the upper pane of the main window. Shows the document's names
// (a folder's files or a hit list) and hands the selection to the document.

#include "Pellora/document/UpdateHint.h"

#include <QListWidget>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QMenu;
class QMimeData;

namespace pellora {

class CPelloraDoc;

class CPelloraView : public QListWidget {
    Q_OBJECT
public:
    explicit CPelloraView(CPelloraDoc &doc, QWidget *parent = nullptr);

    CPelloraDoc &Document() const { return m_doc; }

    // Every call of the list into the document (selection, drops, the pop-up menu) runs
    // through guard: the main frame's command table. Unset, a failure is shown in a box.
    using Guard = std::function<bool(const std::function<void()> &call)>;
    void SetGuard(Guard guard) { m_guard = std::move(guard); }
    bool RunGuarded(const std::function<void()> &call);

    void OnUpdate(pellora::UpdateHint hint);
    // Refills the list from the document, selecting the files it holds.
    void Refill();

    // Selected / unselected list names, top to bottom.
    std::vector<std::string> SelectedNames() const;
    std::vector<std::string> UnselectedNames() const;
    void SelectNames(const QStringList &names);

    // Commands of the pop-up menus.
    void OnApplyFilter();
    void OnCopyFilenames();
    void OnPasteFilenames();
    void OnClearHitList();
    void OnRemoveSelected();
    void OnRemoveUnselected();
    // Pasted or dropped data: text cut at its line ends, or dropped files; a folder
    // alone is browsed.
    bool AddFromMimeData(const QMimeData *data);
    // A drop on the list or the main window, inside the guard.
    bool DropMimeData(const QMimeData *data);
    static bool CanTake(const QMimeData *data);

    // The relays of the desktop commands.
    void OnDataFile(const std::string &path);
    void OnHitList(const std::string &path);

    // The pop-up menu for the current mode, with its entries enabled as they would be.
    QMenu *BuildContextMenu(QWidget *parent);
    // The selected current item's file name without folder and extension, else empty.
    std::string CurrentItemStem() const;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void OnSelectionChanged();

    // Selects the rows whose names are in held (full paths), in one change.
    void SelectHeld(const std::vector<std::string> &held);

    CPelloraDoc &m_doc;
    Guard m_guard;
    bool m_refilling = false;
};

} // namespace pellora
