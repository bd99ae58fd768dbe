#pragma once

#include <memory>

#include <QObject>

class QWidget;

namespace zurcfg {

// Opens the About box from a window: the caption's context-help button does it, where the window
// manager shows one, and whatever else the window calls OpenAboutBox from (its Help menu, F1). On
// Windows the system menu also gets a separator and the entry "&About ZURcfg_Tool...".
class AboutEntry : public QObject {
    Q_OBJECT

public:
    // Adds the entries to `window`, which owns the object.
    explicit AboutEntry(QWidget* window);
    ~AboutEntry() override;

    void OpenAboutBox();

protected:
    // Takes the context-help button's request for the help mode.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
#ifdef Q_OS_WIN
    class SystemMenuEntry;
    std::unique_ptr<SystemMenuEntry> systemMenuEntry_;
#endif
};

}  // namespace zurcfg
