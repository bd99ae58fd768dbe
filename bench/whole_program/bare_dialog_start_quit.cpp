// The baseline program: an empty modal QDialog of the given size, run and closed like the
// program's window. Usage: bare_dialog_start_quit WIDTHxHEIGHT
#include <QApplication>
#include <QDialog>

#include "close_when_painted.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList size = QString(argc > 1 ? argv[1] : "").split('x');
    if (size.size() != 2) {
        return 2;
    }
    CloseWhenPainted closer;
    app.installEventFilter(&closer);
    QDialog dialog;
    dialog.setFixedSize(size[0].toInt(), size[1].toInt());
    dialog.exec();
    return closer.ClosedSize().isEmpty() ? 1 : 0;
}
