#include "ui/layout/dialog_builder.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QStandardItemModel>

#include "resources/accessible_names.h"
#include "ui/common/local_text.h"
#include "ui/layout/control_factory.h"
#include "ui/layout/dialog_fonts.h"
#include "ui/layout/dialog_units.h"

namespace zurcfg {

namespace {

bool IsStatic(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::GroupBox || kind == ControlKind::Icon;
}

// The font a control needs of its own; null for the dialog font, which controls inherit. Setting
// that font again would cost each control a font change.
const QFont* OwnFontOf(const ControlTemplate& control, const DialogFonts& fonts) {
    if ((control.style & kLabelFont) != 0) {
        return &fonts.label;
    }
    if ((control.style & kFixedFont) != 0) {
        return &fonts.fixed;
    }
    return nullptr;
}

// The height of one item of the list's open list, as its style draws it.
int OpenListItemHeight(QComboBox* list) {
    QStandardItemModel probe;
    probe.appendRow(new QStandardItem(QStringLiteral("X")));
    QStyleOptionViewItem option;
    option.initFrom(list->view());
    return list->itemDelegate()->sizeHint(option, probe.index(0, 0)).height();
}

// A drop-down list's template height is the extent of its open list; closed, it is as high as
// its font needs. A list with a scroll bar shows as many items as fit into that extent; any other
// list shows the items its template height holds in lines of its font, all of them for the lists
// of the templates.
void PlaceDropDownList(QComboBox* list, const PixelRect& rect, const ControlTemplate& control) {
    const bool scrolls = (control.style & kVerticalScroll) != 0;
    if (scrolls) {
        // Styles that open a list as a menu show every item, however many; a plain open list
        // keeps to its number of visible items and scrolls.
        list->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
        list->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    const int closedHeight = list->sizeHint().height();
    list->setGeometry(rect.x, rect.y, rect.width, closedHeight);
    const int visibleItems =
        scrolls ? (rect.height - closedHeight - 2 * list->view()->frameWidth()) /
                      OpenListItemHeight(list)
                : (rect.height - closedHeight) / QFontMetrics(list->font()).height();
    list->setMaxVisibleItems(std::max(1, visibleItems));
}

}  // namespace

QHash<int, QWidget*> BuildDialog(QWidget* dialog, const DialogTemplate& dialogTemplate,
                                 const DialogFonts& fonts) {
    dialog->setFont(fonts.dialog);
    dialog->setWindowTitle(FromLocal8Bit(dialogTemplate.caption));
    const DialogUnits units(BaseUnitsOf(fonts.dialog));
    const PixelRect client = units.Map(0, 0, dialogTemplate.width, dialogTemplate.height);
    dialog->setFixedSize(client.width, client.height);

    const ControlNames names(dialogTemplate);
    QHash<int, QWidget*> controls;
    QWidget* previous = nullptr;
    for (int index = 0; index < dialogTemplate.controlCount; ++index) {
        const ControlTemplate& control = dialogTemplate.controls[index];
        QWidget* widget = CreateControl(control, dialog);
        if (const QFont* font = OwnFontOf(control, fonts)) {
            widget->setFont(*font);
        }
        if (control.id != kNoId) {
            widget->setObjectName(QString::number(control.id));
            controls.insert(control.id, widget);
        }
        if (!IsStatic(control.kind)) {
            widget->setAccessibleName(FromLocal8Bit(names.AccessibleName(index)));
        }
        const PixelRect rect = units.Map(control.x, control.y, control.width, control.height);
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            PlaceDropDownList(list, rect, control);
        } else if (control.width == 0 && control.height == 0) {
            widget->setGeometry(QRect(QPoint(rect.x, rect.y), widget->sizeHint()));
        } else if (control.kind == ControlKind::Label && (control.style & kWordWrap) == 0) {
            // A heading font may need more room than the template gave: texts are never cut.
            widget->setGeometry(rect.x, rect.y, std::max(rect.width, widget->sizeHint().width()),
                                rect.height);
        } else {
            widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
        }
        // Frames and texts lie beneath the controls they surround, so they never take their
        // clicks.
        if (IsStatic(control.kind)) {
            widget->lower();
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
    return controls;
}

}  // namespace zurcfg
