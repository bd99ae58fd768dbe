#pragma once

#include <functional>
#include <vector>

#include <QKeySequence>
#include <QString>

#include "settings/app_settings.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace zurcfg {

// One entry of a menu: its text with the & of its mnemonic, its shortcut (shown beside the text),
// the command it runs, and when it can run (always, when none is given).
struct MenuCommand {
    QString text;
    QKeySequence shortcut;
    std::function<void()> run;
    std::function<bool()> available = {};
};

// The window's menu bar, above the area its template lays out. The menu only reaches commands
// the window has anyway, so it never does what a button or key would not; menus and entries are
// added in the order they are shown.
class MainMenu {
public:
    // Puts the bar above `body` in `window`, which grows by the bar's height; the controls keep
    // their places in `body`.
    MainMenu(QWidget* window, QWidget* body);

    QMenu* AddMenu(const QString& title);
    QAction* AddCommand(QMenu* menu, MenuCommand command);
    // Room for the first ten recent paths at this place of `menu`; choosing the one in position k
    // runs `open(k)`.
    void AddRecentPaths(QMenu* menu, const std::function<void(int)>& open);
    // Shows the recent paths up to the first empty one, at most ten.
    void ShowRecentPaths(const RecentPaths& paths);
    // Enables each command that can run now and disables the others.
    void UpdateCommands();

private:
    QMenuBar* bar_;
    std::vector<std::pair<QAction*, std::function<bool()>>> conditional_;
    std::vector<QAction*> recentPaths_;
};

}  // namespace zurcfg
