#include "Sorvelt/views/CSorveltView.h"

#include "Sorvelt/views/CStateIconDelegate.h"

#include "Sorvelt/core/CurveBuilder.h"
#include "Sorvelt/document/CSorveltDoc.h"
#include "shared_ui/kit/CommandGuard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

namespace sorvelt {

CSorveltView::CSorveltView(CSorveltDoc &doc, QWidget *parent)
    : QTreeWidget(parent)
    , m_doc(doc)
{
    setObjectName(QStringLiteral("curveTree"));
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    m_delegate = new CStateIconDelegate(this);
    setItemDelegate(m_delegate);
    connect(m_delegate, &CStateIconDelegate::StateIconClicked, this, [this](const QModelIndex &index) {
        QTreeWidgetItem *item = itemFromIndex(index);
        if (!item)
            return;
        const auto tick = [this, item] { ClickStateIcon(item); };
        if (m_guard)
            m_guard(tick);
        else
            kxres::Guarded([this](const QString &text) { m_doc.ReportError(text); }, tick);
    });
    connect(&m_doc, &CSorveltDoc::Updated, this, &CSorveltView::OnUpdate);
}

void CSorveltView::OnUpdate(UpdateHint hint)
{
    if (hint == UpdateHint::Plot)
        return;
    Fill();
}

void CSorveltView::Fill()
{
    clear();
    if (!m_doc.IsLoaded())
        return;
    const auto &parameters = m_doc.GetParameterNames();
    const auto &channels = m_doc.GetChannelNames();
    const unsigned channelCount = static_cast<unsigned>(channels.size());
    QList<QTreeWidgetItem *> roots;
    roots.reserve(qsizetype(parameters.size()));
    for (std::size_t p = 0; p < parameters.size(); ++p) {
        auto *root = new QTreeWidgetItem(QStringList(QString::fromStdString(TrimBlanks(parameters[p]))));
        root->setData(0, CurveRole, unsigned(p) * channelCount);
        SetState(root, Unchecked);
        for (std::size_t c = 0; c < channels.size(); ++c) {
            auto *child = new QTreeWidgetItem(root, QStringList(QString::fromStdString(TrimBlanks(channels[c]))));
            child->setData(0, CurveRole, unsigned(p) * channelCount + unsigned(c));
            SetState(child, Unchecked);
        }
        roots.push_back(root);
    }
    addTopLevelItems(roots);
}

int CSorveltView::StateOf(const QTreeWidgetItem *item)
{
    switch (item->checkState(0)) {
    case Qt::Checked:
        return Checked;
    case Qt::PartiallyChecked:
        return Mixed;
    default:
        return Unchecked;
    }
}

void CSorveltView::SetState(QTreeWidgetItem *item, int state)
{
    item->setCheckState(0, state == Checked ? Qt::Checked : state == Mixed ? Qt::PartiallyChecked : Qt::Unchecked);
}

void CSorveltView::ClickStateIcon(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const int state = StateOf(item) == Unchecked ? Checked : Unchecked;
    SetState(item, state);
    // Every descendant takes the new state.
    std::vector<QTreeWidgetItem *> stack{item};
    while (!stack.empty()) {
        QTreeWidgetItem *top = stack.back();
        stack.pop_back();
        for (int i = 0; i < top->childCount(); ++i) {
            SetState(top->child(i), state);
            stack.push_back(top->child(i));
        }
    }
    // The parents follow their children.
    for (QTreeWidgetItem *parent = item->parent(); parent; parent = parent->parent()) {
        bool all0 = true;
        bool all1 = true;
        for (int i = 0; i < parent->childCount(); ++i) {
            const int s = StateOf(parent->child(i));
            all0 = all0 && s == Unchecked;
            all1 = all1 && s == Checked;
        }
        SetState(parent, all0 ? Unchecked : all1 ? Checked : Mixed);
    }
    m_doc.SetSelection(CollectSelection());
}

std::vector<unsigned> CSorveltView::CollectSelection() const
{
    std::vector<unsigned> selection;
    for (int p = 0; p < topLevelItemCount(); ++p) {
        const QTreeWidgetItem *root = topLevelItem(p);
        if (StateOf(root) == Unchecked)
            continue;
        for (int c = 0; c < root->childCount(); ++c)
            if (StateOf(root->child(c)) == Checked)
                selection.push_back(root->child(c)->data(0, CurveRole).toUInt());
    }
    return selection;
}

QRect CSorveltView::StateIconRect(QTreeWidgetItem *item) const
{
    const QModelIndex index = indexFromItem(item);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return m_delegate->CheckRect(option, index);
}

} // namespace sorvelt
