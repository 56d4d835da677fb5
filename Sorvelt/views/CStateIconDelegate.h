#pragma once

#include <QStyledItemDelegate>

namespace sorvelt {

// Reports clicks on an item's check box and Space on it, instead of toggling.
class CStateIconDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    // The check box of index drawn in option's rectangle.
    QRect CheckRect(const QStyleOptionViewItem &option, const QModelIndex &index) const;

signals:
    void StateIconClicked(const QModelIndex &index);

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;
};

} // namespace sorvelt
