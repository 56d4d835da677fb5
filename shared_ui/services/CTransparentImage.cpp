#include "shared_ui/services/CTransparentImage.h"

#include <QBitmap>
#include <QPainter>
#include <QStyle>

CTransparentImage::CTransparentImage(QWidget *parent)
    : QLabel(parent)
{}

QPixmap CTransparentImage::Transparent(const QPixmap &picture)
{
    if (picture.isNull())
        return picture;
    QPixmap result = picture;
    result.setMask(picture.createMaskFromColor(TransparentColor(), Qt::MaskInColor));
    return result;
}

void CTransparentImage::paintEvent(QPaintEvent *event)
{
    const QPixmap picture = pixmap();
    if (picture.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    const QPixmap shown = Transparent(picture);
    const QSize size = shown.deviceIndependentSize().toSize();
    const QRect target = QStyle::alignedRect(layoutDirection(), alignment(), size, contentsRect());
    QPainter painter(this);
    painter.drawPixmap(target, shown);
}
