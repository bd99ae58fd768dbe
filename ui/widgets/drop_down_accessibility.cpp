#include "ui/widgets/drop_down_accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace zurcfg {

namespace {

// A drop-down list: its name, its current item as its value, its open list as its one child.
class DropDownAccessible : public QAccessibleWidget {
public:
    explicit DropDownAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return List()->currentText();
        }
        return QAccessibleWidget::text(kind);
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(List()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == List()->view() ? 0 : -1;
    }

private:
    QComboBox* List() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* DropDownFactory(const QString& className, QObject* object) {
    auto* list = qobject_cast<QComboBox*>(object);
    if (className != QLatin1String("QComboBox") || list == nullptr ||
        list->accessibleName().isEmpty()) {
        return nullptr;
    }
    return new DropDownAccessible(list);
}

}  // namespace

void NameDropDownListsByAccessibleName() {
    static const bool installed = [] {
        QAccessible::installFactory(DropDownFactory);
        return true;
    }();
    static_cast<void>(installed);
}

}  // namespace zurcfg
