// The second baseline program: a dialog as Qt applications usually build one, with about the
// controls of the program's window placed by layouts (two tables of 200 and 64 rows, 20 check
// boxes, 12 drop-down lists, 8 edits, 30 labels, 6 group boxes, 6 buttons), shown at the given
// size and closed like the program's window. Usage: conventional_dialog_start_quit WIDTHxHEIGHT
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "close_when_painted.h"

namespace {

QGroupBox* CheckBoxGroup(const QString& title, int count) {
    auto* group = new QGroupBox(title);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < count; ++i) {
        grid->addWidget(new QCheckBox(QString("Option %1").arg(i + 1)), i / 2, i % 2);
    }
    return group;
}

QGroupBox* ListGroup(const QString& title, int count) {
    auto* group = new QGroupBox(title);
    auto* form = new QFormLayout(group);
    for (int i = 0; i < count; ++i) {
        auto* list = new QComboBox;
        list->addItems({"default (near)", "near", "bank1", "bank2", "bank3"});
        form->addRow(QString("List %1").arg(i + 1), list);
    }
    return group;
}

// Eight count edits and the RAM figures of four banks: 16 labels.
QGroupBox* CountGroup() {
    auto* group = new QGroupBox("Counts");
    auto* form = new QFormLayout(group);
    for (int i = 0; i < 8; ++i) {
        form->addRow(QString("Count %1").arg(i + 1), new QLineEdit("0"));
    }
    for (int bank = 0; bank < 4; ++bank) {
        form->addRow(QString("bank%1").arg(bank), new QLabel("0 bytes"));
    }
    return group;
}

// Two name tables under their captions: 2 labels.
QGroupBox* NameTableGroup() {
    auto* group = new QGroupBox("Names");
    auto* grid = new QGridLayout(group);
    int column = 0;
    for (int rows : {200, 64}) {
        auto* table = new QTableWidget(rows, 2);
        table->setHorizontalHeaderLabels({"Identifier", "Comment"});
        table->horizontalHeader()->setStretchLastSection(true);
        grid->addWidget(new QLabel(QString("%1 names").arg(rows)), 0, column);
        grid->addWidget(table, 1, column++);
    }
    return group;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList size = QString(argc > 1 ? argv[1] : "").split('x');
    if (size.size() != 2) {
        return 2;
    }
    CloseWhenPainted closer;
    app.installEventFilter(&closer);

    QDialog dialog;
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(CheckBoxGroup("Services", 10));
    left->addWidget(CheckBoxGroup("Interrupts", 10));
    left->addWidget(CountGroup());
    auto* middle = new QVBoxLayout;
    middle->addWidget(ListGroup("Banks", 6));
    middle->addWidget(ListGroup("Sizes", 6));
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addWidget(NameTableGroup(), 1);

    auto* buttons = new QHBoxLayout;
    for (const char* text :
         {"Browse...", "Save", "Save as...", "Save as default", "Restore default", "Exit"}) {
        buttons->addWidget(new QPushButton(text));
    }
    auto* window = new QVBoxLayout(&dialog);
    window->addLayout(columns);
    window->addLayout(buttons);
    dialog.resize(size[0].toInt(), size[1].toInt());
    dialog.exec();
    return closer.ClosedSize().isEmpty() ? 1 : 0;
}
