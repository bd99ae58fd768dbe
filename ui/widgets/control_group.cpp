#include "ui/widgets/control_group.h"

#include <QAccessibleWidget>
#include <QGroupBox>

namespace zurcfg {

namespace {

class ControlGroupAccessible : public QAccessibleWidget {
public:
    explicit ControlGroupAccessible(QWidget* group)
        : QAccessibleWidget(group, QAccessible::Grouping) {}

    QString text(QAccessible::Text kind) const override {
        const QGroupBox* frame = Frame();
        if (frame != nullptr && kind == QAccessible::Name) {
            return frame->title();
        }
        if (frame != nullptr && kind == QAccessible::Description) {
            return frame->toolTip();
        }
        return QAccessibleWidget::text(kind);
    }

    int childCount() const override { return static_cast<int>(Controls().size()); }
    QAccessibleInterface* child(int index) const override {
        const QWidgetList controls = Controls();
        return index >= 0 && index < controls.size()
                   ? QAccessible::queryAccessibleInterface(controls[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == nullptr
                   ? -1
                   : static_cast<int>(Controls().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QGroupBox* Frame() const {
        return widget()->findChild<QGroupBox*>(QString(), Qt::FindDirectChildrenOnly);
    }

    // In the tab order, which reads the controls as the user goes through them; texts lie
    // beneath the controls, which puts them first among the children. The frame says nothing the
    // group does not.
    QWidgetList Controls() const {
        QWidgetList controls;
        QWidget* const start = widget()->window();
        for (QWidget* next = start->nextInFocusChain(); next != start;
             next = next->nextInFocusChain()) {
            if (next->parentWidget() == widget() && !next->isWindow() &&
                qobject_cast<QGroupBox*>(next) == nullptr) {
                controls.append(next);
            }
        }
        return controls;
    }
};

QAccessibleInterface* ControlGroupFactory(const QString& className, QObject* object) {
    auto* group = qobject_cast<ControlGroup*>(object);
    if (group == nullptr ||
        className != QLatin1String(ControlGroup::staticMetaObject.className())) {
        return nullptr;
    }
    return new ControlGroupAccessible(group);
}

}  // namespace

ControlGroup::ControlGroup(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(ControlGroupFactory);
        return true;
    }();
    static_cast<void>(installed);
}

}  // namespace zurcfg
