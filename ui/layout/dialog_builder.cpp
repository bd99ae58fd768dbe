#include "ui/layout/dialog_builder.h"

#include <algorithm>
#include <map>
#include <vector>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>

#include "resources/accessible_names.h"
#include "ui/common/local_text.h"
#include "ui/layout/control_factory.h"
#include "ui/layout/dialog_fonts.h"
#include "ui/layout/dialog_units.h"
#include "ui/widgets/control_group.h"

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

// The height of one item of the list's open list, as its style draws it: measured on a list
// like it with one item, since styles add to the height that the item's delegate gives.
int OpenListItemHeight(const QComboBox* list) {
    QComboBox probe;
    probe.setStyleSheet(list->styleSheet());
    probe.setFont(list->font());
    probe.addItem(QStringLiteral("X"));
    return probe.view()->sizeHintForRow(0);
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

// Builds the controls of a template, each inside the group box around it.
class DialogLayout {
public:
    DialogLayout(QWidget* dialog, const DialogTemplate& dialogTemplate, const DialogFonts& fonts)
        : dialog_(dialog),
          template_(dialogTemplate),
          fonts_(fonts),
          units_(BaseUnitsOf(fonts.dialog)),
          names_(dialogTemplate),
          widgets_(static_cast<std::size_t>(dialogTemplate.controlCount), nullptr) {}

    QHash<int, QWidget*> Build() {
        for (int index = 0; index < template_.controlCount; ++index) {
            Widget(index);
        }
        QWidget* previous = nullptr;
        for (QWidget* widget : widgets_) {
            if (previous != nullptr) {
                QWidget::setTabOrder(previous, widget);
            }
            previous = widget;
        }
        LinkListLabels();
        return controls_;
    }

private:
    // The widget of the control at `index`, made on first use: a group box is made with the
    // first control inside it, so that the tree of widgets reads in the template's order.
    QWidget* Widget(int index) {
        QWidget*& widget = widgets_[static_cast<std::size_t>(index)];
        if (widget == nullptr) {
            const int group = template_.controls[index].kind == ControlKind::GroupBox
                                  ? index
                                  : names_.GroupOf(index);
            widget = group < 0 ? Make(index, dialog_, QPoint())
                               : Make(index, Group(group), Group(group)->pos());
        }
        return widget;
    }

    // What holds the group box at `index` and the controls inside it, made on first use.
    QWidget* Group(int index) {
        ControlGroup*& group = groups_[index];
        if (group == nullptr) {
            const ControlTemplate& box = template_.controls[index];
            const PixelRect rect = units_.Map(box.x, box.y, box.width, box.height);
            group = new ControlGroup(dialog_);
            group->setGeometry(rect.x, rect.y, rect.width, rect.height);
        }
        return group;
    }

    // `origin` is where `parent` stands in the dialog.
    QWidget* Make(int index, QWidget* parent, QPoint origin) {
        const ControlTemplate& control = template_.controls[index];
        QWidget* widget = CreateControl(control, parent);
        if (const QFont* font = OwnFontOf(control, fonts_)) {
            widget->setFont(*font);
        }
        if (control.id != kNoId) {
            widget->setObjectName(QString::number(control.id));
            controls_.insert(control.id, widget);
        }
        if (!IsStatic(control.kind)) {
            widget->setAccessibleName(FromLocal8Bit(names_.AccessibleName(index)));
        }
        PixelRect rect = units_.Map(control.x, control.y, control.width, control.height);
        rect.x -= origin.x();
        rect.y -= origin.y();
        Place(widget, control, rect);
        // Frames and texts lie beneath the controls they surround, so they never take their
        // clicks.
        if (IsStatic(control.kind)) {
            widget->lower();
        }
        return widget;
    }

    static void Place(QWidget* widget, const ControlTemplate& control, const PixelRect& rect) {
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
    }

    // Screen readers read a list with its label, which is named as the list is.
    void LinkListLabels() {
        for (int index = 0; index < template_.controlCount; ++index) {
            const int label = template_.controls[index].kind == ControlKind::DropDownList
                                  ? names_.ListLabel(index)
                                  : -1;
            if (label >= 0) {
                QWidget* list = widgets_[static_cast<std::size_t>(index)];
                auto* caption = qobject_cast<QLabel*>(widgets_[static_cast<std::size_t>(label)]);
                caption->setBuddy(list);
                caption->setAccessibleName(list->accessibleName());
            }
        }
    }

    QWidget* dialog_;
    const DialogTemplate& template_;
    const DialogFonts& fonts_;
    const DialogUnits units_;
    const ControlNames names_;
    std::vector<QWidget*> widgets_;        // by template index
    std::map<int, ControlGroup*> groups_;  // by the template index of their group box
    QHash<int, QWidget*> controls_;
};

}  // namespace

QHash<int, QWidget*> BuildDialog(QWidget* dialog, const DialogTemplate& dialogTemplate,
                                 const DialogFonts& fonts) {
    dialog->setFont(fonts.dialog);
    dialog->setWindowTitle(FromLocal8Bit(dialogTemplate.caption));
    const DialogUnits units(BaseUnitsOf(fonts.dialog));
    const PixelRect client = units.Map(0, 0, dialogTemplate.width, dialogTemplate.height);
    dialog->setFixedSize(client.width, client.height);
    return DialogLayout(dialog, dialogTemplate, fonts).Build();
}

void FitHeightToText(QLabel* label) {
    const int shortfall = label->heightForWidth(label->width()) - label->height();
    if (shortfall <= 0) {
        return;
    }
    QWidget* widget = label;
    for (; !widget->isWindow(); widget = widget->parentWidget()) {
        const int bottom = widget->geometry().bottom();
        for (QWidget* sibling :
             widget->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (sibling->y() > bottom) {
                sibling->move(sibling->x(), sibling->y() + shortfall);
            }
        }
        widget->resize(widget->width(), widget->height() + shortfall);
    }
    widget->setFixedHeight(widget->height() + shortfall);
}

}  // namespace zurcfg
