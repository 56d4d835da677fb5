#pragma once

// The tree of parameters and channels with tri-state check boxes. A click on a
// check box (or Space on the current item) ticks or unticks it; a mixed item is
// unticked. The ticked channels become the document's selection.

#include "Sorvelt/document/UpdateHint.h"

#include <QTreeWidget>

#include <functional>
#include <vector>

namespace sorvelt {

class CSorveltDoc;
class CStateIconDelegate;

class CSorveltView : public QTreeWidget {
    Q_OBJECT
public:
    // State values of the items.
    enum State : int { Unchecked = 0, Checked = 1, Mixed = 2 };
    static constexpr int CurveRole = Qt::UserRole;

    explicit CSorveltView(CSorveltDoc &doc, QWidget *parent = nullptr);

    // Hints other than Plot fill the tree again from the document's names.
    void OnUpdate(UpdateHint hint);

    // What a click on the item's check box does.
    void ClickStateIcon(QTreeWidgetItem *item);
    // Runs the view's calls into the document (the frame's command guard); unset, a
    // failure is reported through the document.
    using Guard = std::function<void(const std::function<void()> &)>;
    void SetGuard(Guard guard) { m_guard = std::move(guard); }
    static int StateOf(const QTreeWidgetItem *item);
    // The ticked channels in display order.
    std::vector<unsigned> CollectSelection() const;
    // The check box of an item in view coordinates.
    QRect StateIconRect(QTreeWidgetItem *item) const;

private:
    static void SetState(QTreeWidgetItem *item, int state);
    void Fill();

    CSorveltDoc &m_doc;
    CStateIconDelegate *m_delegate = nullptr;
    Guard m_guard;
};

} // namespace sorvelt
