#include "Sorvelt/views/CStateIconDelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

namespace sorvelt {

QRect CStateIconDelegate::CheckRect(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    return style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, widget);
}

bool CStateIconDelegate::editorEvent(QEvent *event, QAbstractItemModel *, const QStyleOptionViewItem &option,
                                     const QModelIndex &index)
{
    if (!index.data(Qt::CheckStateRole).isValid())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || !CheckRect(option, index).contains(mouse->position().toPoint()))
            return false;
        if (event->type() == QEvent::MouseButtonRelease)
            emit StateIconClicked(index);
        return true;
    }
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Space && key->key() != Qt::Key_Select)
            return false;
        emit StateIconClicked(index);
        return true;
    }
    default:
        return false;
    }
}

} // namespace sorvelt
