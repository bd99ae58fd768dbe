#include "ui/window/main_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "ui/common/local_text.h"

namespace zurcfg {

namespace {

constexpr int kShownRecentPaths = 10;

// "&1 path" up to "1&0 path"; an & of the path is shown as it is, not taken as a mnemonic.
QString RecentPathText(int position, const std::string& path) {
    QString number = QString::number(position + 1);
    number.insert(number.size() - 1, QLatin1Char('&'));
    return number + QLatin1Char(' ') + FromFileName(path).replace('&', QStringLiteral("&&"));
}

}  // namespace

MainMenu::MainMenu(QWidget* window, QWidget* body) : bar_(new QMenuBar(window)) {
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(bar_);
    layout->addWidget(body);
    // The body has the template's fixed size; the window takes it plus the bar.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QMenu* MainMenu::AddMenu(const QString& title) {
    return bar_->addMenu(title);
}

QAction* MainMenu::AddCommand(QMenu* menu, MenuCommand command) {
    QAction* action = menu->addAction(command.text);
    action->setShortcut(command.shortcut);
    QObject::connect(action, &QAction::triggered, action, std::move(command.run));
    if (command.available) {
        conditional_.emplace_back(action, std::move(command.available));
    }
    return action;
}

void MainMenu::AddRecentPaths(QMenu* menu, const std::function<void(int)>& open) {
    for (int position = 0; position < kShownRecentPaths; ++position) {
        QAction* action = menu->addAction(QString());
        action->setVisible(false);
        QObject::connect(action, &QAction::triggered, action, [open, position] { open(position); });
        recentPaths_.push_back(action);
    }
}

void MainMenu::ShowRecentPaths(const RecentPaths& paths) {
    bool listed = true;
    for (int position = 0; position < static_cast<int>(recentPaths_.size()); ++position) {
        const std::string& path = paths[static_cast<std::size_t>(position)];
        listed = listed && !path.empty();
        QAction* action = recentPaths_[static_cast<std::size_t>(position)];
        action->setText(listed ? RecentPathText(position, path) : QString());
        action->setVisible(listed);
    }
}

void MainMenu::UpdateCommands() {
    for (const auto& [action, available] : conditional_) {
        action->setEnabled(available());
    }
}

}  // namespace zurcfg
