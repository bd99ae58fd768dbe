#include "ui/dialogs/side_window.h"

#include <algorithm>

#include <QAction>
#include <QDialogButtonBox>
#include <QScreen>
#include <QVBoxLayout>

namespace zurcfg {

namespace {

constexpr QSize kInitialSize(760, 560);

}  // namespace

SideWindow::SideWindow(QWidget* owner, const QString& title)
    : QWidget(owner, Qt::Window), layout_(new QVBoxLayout(this)) {
    setWindowTitle(title);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    layout_->addWidget(buttons);

    auto* closing = new QAction(this);
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Close);
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        if (!keys.contains(key)) {
            keys.append(key);
        }
    }
    closing->setShortcuts(keys);
    connect(closing, &QAction::triggered, this, &QWidget::close);
    addAction(closing);
    resize(kInitialSize);
}

void SideWindow::SetContent(QWidget* content) {
    layout_->insertWidget(0, content, 1);
}

// Left to itself a window manager may put it in a corner of the screen, behind the owner.
void SideWindow::ShowOverOwner() {
    if (!placed_) {
        // Framed as the owner is, which the window manager has framed already.
        const QWidget* owner = parentWidget()->window();
        QRect placed(QPoint(), size() + owner->frameGeometry().size() - owner->size());
        placed.moveCenter(owner->frameGeometry().center());
        if (const QScreen* screen = owner->screen()) {
            const QRect available = screen->availableGeometry();
            placed.moveLeft(std::clamp(
                placed.left(), available.left(),
                std::max(available.left(), available.left() + available.width() - placed.width())));
            placed.moveTop(std::clamp(
                placed.top(), available.top(),
                std::max(available.top(), available.top() + available.height() - placed.height())));
        }
        move(placed.topLeft());
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

}  // namespace zurcfg
