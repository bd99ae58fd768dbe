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

void UpDownControl::TakeArrowKeysOf(QWidget* edit) {
    edit->installEventFilter(this);
}

void UpDownControl::NameArrowsFor(const QString& stepped) {
    up_->setAccessibleName(tr("%1 up").arg(stepped));
    down_->setAccessibleName(tr("%1 down").arg(stepped));
}

bool UpDownControl::eventFilter(QObject*, QEvent* event) {
    return event->type() == QEvent::KeyPress && StepFor(static_cast<QKeyEvent*>(event)->key());
}

void UpDownControl::keyPressEvent(QKeyEvent* event) {
    if (!StepFor(event->key())) {
        QWidget::keyPressEvent(event);
    }
}

bool UpDownControl::StepFor(int key) {
    if (key != Qt::Key_Up && key != Qt::Key_Down) {
        return false;
    }
    emit PositionChanging(key == Qt::Key_Up ? -1 : +1);
    return true;
}

// The arrows share the control's height, the up arrow taking the odd pixel.
void UpDownControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upHeight = (height() + 1) / 2;
    up_->setGeometry(0, 0, width(), upHeight);
    down_->setGeometry(0, upHeight, width(), height() - upHeight);
}

}  // namespace zurcfg
