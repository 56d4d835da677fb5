#pragma once

// A picture label whose magenta (255, 0, 255) pixels let the background show through.

#include <QLabel>
#include <QPixmap>

class CTransparentImage : public QLabel {
    Q_OBJECT
public:
    explicit CTransparentImage(QWidget *parent = nullptr);

    static QColor TransparentColor() { return QColor(255, 0, 255); }
    // The picture with every magenta pixel made transparent.
    static QPixmap Transparent(const QPixmap &picture);

protected:
    void paintEvent(QPaintEvent *event) override;
};
