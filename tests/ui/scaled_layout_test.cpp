#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>

#include "resources/main_dialog_template.h"
#include "ui/layout/dialog_builder.h"
#include "ui/layout/dialog_fonts.h"

namespace zurcfg {
namespace {

// The window laid out as a system font `scale` times the usual size lays it out; the whole test
// also runs under QT_SCALE_FACTOR 1.5 and 2 (tests/ui/CMakeLists.txt).
class ScaledLayoutTest : public ::testing::TestWithParam<double> {
protected:
    ScaledLayoutTest() : fonts_(PlatformDialogFonts()) {
        fonts_.dialog.setPointSizeF(fonts_.dialog.pointSizeF() * GetParam());
        fonts_.label.setPointSizeF(fonts_.label.pointSizeF() * GetParam());
        controls_ = BuildDialog(&dialog_, kMainDialog, fonts_);
        for (const ControlTemplate& control : kMainDialog) {
            if (auto* list = qobject_cast<QComboBox*>(controls_.value(control.id))) {
                for (std::string_view item : ListItems(control.id)) {
                    list->addItem(QString::fromLatin1(item.data(), item.size()));
                }
            }
        }
        // The widest text the RAM figures show.
        qobject_cast<QLabel*>(controls_.value(kRamBank0Label))->setText("? (select platform)");
    }

    static int TextWidth(const QWidget* widget, const QString& text) {
        return widget->fontMetrics().horizontalAdvance(text);
    }

    // Room for text in each kind of control, with the style's margins.
    static int TextRoom(QWidget* widget) {
        QStyle* style = widget->style();
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(check);
            option.text = check->text();
            return style->subElementRect(QStyle::SE_CheckBoxContents, &option, check).width();
        }
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            option.editable = false;
            return style
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
                .width();
        }
        if (qobject_cast<QPushButton*>(widget) != nullptr) {
            return widget->width() - style->pixelMetric(QStyle::PM_ButtonMargin) -
                   2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            return label->contentsRect().width();
        }
        return widget->width();
    }

    static QStringList TextsOf(QWidget* widget) {
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            QStringList items;
            for (int i = 0; i < list->count(); ++i) {
                items << list->itemText(i);
            }
            return items;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            return {button->text()};
        }
        if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && !label->wordWrap()) {
            return {label->text()};
        }
        if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            return {group->title()};
        }
        return {};
    }

    // Where a label draws the top of its text, in the dialog.
    static int TextTop(const QLabel* label) {
        const QRect text =
            QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                                QSize(label->contentsRect().width(), label->fontMetrics().height()),
                                label->contentsRect());
        return label->y() + text.top();
    }

    QLabel* LabelWithText(const QString& text) const {
        for (auto* label : dialog_.findChildren<QLabel*>()) {
            if (label->text() == text) {
                return label;
            }
        }
        ADD_FAILURE() << "no label " << text.toStdString();
        return nullptr;
    }

    DialogFonts fonts_;
    QDialog dialog_;
    QHash<int, QWidget*> controls_;
};

TEST_P(ScaledLayoutTest, NoControlCutsItsText) {
    int checked = 0;
    for (QWidget* widget : dialog_.findChildren<QWidget*>()) {
        if (widget->objectName() == QString::number(kPathBox)) {
            continue;  // shows paths of any length
        }
        for (const QString& text : TextsOf(widget)) {
            ++checked;
            EXPECT_LE(TextWidth(widget, text), TextRoom(widget))
                << widget->objectName().toStdString() << " cuts \"" << text.toStdString() << "\"";
        }
    }
    EXPECT_GT(checked, 80);
}

TEST_P(ScaledLayoutTest, TheFixedFontKeepsItsHeightAndTheBankCaptionsLineUpWithTheirFigures) {
    // Sized in pixels, not points: the system's font size and resolution leave it as it is.
    EXPECT_GT(fonts_.fixed.pixelSize(), 0);
    EXPECT_LE(QFontMetrics(fonts_.fixed).height(), 14);
    EXPECT_GE(QFontMetrics(fonts_.fixed).height(), 12);
    EXPECT_EQ(controls_.value(kMsgTypeEdit)->font(), fonts_.fixed);
    const int figures[] = {kRamBank0Label, kRamBank1Label, kRamBank2Label, kRamBank3Label};
    const char* captions[] = {"bank0 (near)", "bank1", "bank2", "bank3"};
    for (int bank = 0; bank < 4; ++bank) {
        const QLabel* caption = LabelWithText(captions[bank]);
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(TextTop(caption), TextTop(qobject_cast<QLabel*>(controls_.value(figures[bank]))))
            << captions[bank];
    }
}

TEST_P(ScaledLayoutTest, TheWindowFitsAFullHdScreenAndThePathListItsDroppedHeight) {
    dialog_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog_));
    // Drawn at scale 2, the window fits 3840 by 2160 device pixels: 1920 by 1080 logical ones.
    const double scale = GetParam() * dialog_.devicePixelRatioF();
    const QSizeF devicePixels =
        QSizeF(dialog_.frameGeometry().size()) * dialog_.devicePixelRatioF();
    EXPECT_LE(devicePixels.width(), 1920 * scale);
    EXPECT_LE(devicePixels.height(), 1080 * scale);

    auto* pathBox = qobject_cast<QComboBox*>(controls_.value(kPathBox));
    for (int i = 0; i < 100; ++i) {
        pathBox->addItem(QString("/home/user/project%1/ZURcfg.h").arg(i));
    }
    pathBox->showPopup();
    const QWidget* openList = pathBox->view()->window();
    const int droppedHeight = DialogUnits(BaseUnitsOf(fonts_.dialog)).Y(338);
    EXPECT_LE(pathBox->height() + openList->height(), droppedHeight);
    const QScrollBar* scrollBar = pathBox->view()->verticalScrollBar();
    EXPECT_TRUE(scrollBar->isVisible());
    EXPECT_GT(scrollBar->maximum(), 0);
    pathBox->hidePopup();
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledLayoutTest, ::testing::Values(1.0, 1.5, 2.0));

}  // namespace
}  // namespace zurcfg
