#include "ui/common/information_sign.h"

#include <QPainter>
#include <QPainterPath>

namespace zurcfg {

QPixmap InformationSign(int size, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    const QColor blue(0, 0, 255);  // the blue of the 16-colour palette
    // Painted in a 32 by 32 square, scaled to the size asked for.
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(QPen(blue, 2.0));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(1, 1, 30, 30));
    painter.setPen(Qt::NoPen);
    painter.setBrush(blue);
    painter.drawEllipse(QRectF(13.5, 6, 5, 5));
    QPainterPath letter;
    letter.addRoundedRect(QRectF(13.75, 13, 4.5, 13), 1, 1);
    letter.addRect(QRectF(11.5, 13, 4, 2.5));    // the serif at the top left
    letter.addRect(QRectF(11.5, 23.5, 9, 2.5));  // the foot
    painter.drawPath(letter.simplified());
    return pixmap;
}

}  // namespace zurcfg
