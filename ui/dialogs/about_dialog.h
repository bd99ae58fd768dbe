#pragma once

#include <QDialog>

namespace zurcfg {

// The About box: the program icon and its version. OK, Esc and the close box close it.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace zurcfg
