#include "ui/widgets/up_down_control.h"

#include <QKeyEvent>
#include <QToolButton>

namespace zurcfg {

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent), up_(MakeArrow(Qt::UpArrow, -1)), down_(MakeArrow(Qt::DownArrow, +1)) {
    setFocusPolicy(Qt::ClickFocus);
}

QToolButton* UpDownControl::MakeArrow(Qt::ArrowType arrow, int delta) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setObjectName(arrow == Qt::UpArrow ? QStringLiteral("up") : QStringLiteral("down"));
    connect(button, &QToolButton::clicked, this, [this, delta] { emit PositionChanging(delta); });
    return button;
}

void UpDownControl::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            emit PositionChanging(-1);
            break;
        case Qt::Key_Down:
            emit PositionChanging(+1);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

// The arrows share the control's height, the up arrow taking the odd pixel.
void UpDownControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upHeight = (height() + 1) / 2;
    up_->setGeometry(0, 0, width(), upHeight);
    down_->setGeometry(0, upHeight, width(), height() - upHeight);
}

}  // namespace zurcfg
