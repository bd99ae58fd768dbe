// The main window's own costs against a bare QDialog doing the same, on the offscreen platform:
// - start-up: construct the window with its settings file, show it, wait until it is exposed,
//   close and destroy it (which writes the settings file);
// - one edit: a click on a check box, which runs the window read and RefreshWindow.
// Run: build/bench/config_dialog_bench
#include <QCheckBox>
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include "resources/control_ids.h"
#include "ui/window/config_dialog.h"

namespace zurcfg {
namespace {

// Stands in for the user: no message or file dialog is expected; one would be dismissed.
class NoUser : public Prompter, public FileChooser {
public:
    Answer Ask(const Message&) override { return Answer::Ok; }
    std::optional<std::string> Choose(const FileRequest&) override { return std::nullopt; }
};

// A settings file of a program that has been used: a name style chosen, so no first-start tip
// comes up, and a few recent paths.
class UsedSettings {
public:
    UsedSettings() {
        QFile file(Path());
        file.open(QIODevice::WriteOnly);
        file.write(
            "[SERVICES]\r\nOS_TASKS=6\r\nOS_ENABLE_CSEM=1\r\n"
            "[PATHS]\r\npath0=/home/user/project/ZURcfg.h\r\npath1=/home/user/old/ZURcfg.h\r\n"
            "[SETUP]\r\nZURVERSION=90200\r\nZURVERSIONTIP=0\r\n");
    }
    std::string StdPath() const { return Path().toStdString(); }

private:
    QString Path() const { return folder_.filePath("file.ini"); }
    QTemporaryDir folder_;
};

// Notes the first paint of the widget it watches.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget& widget) { widget.installEventFilter(this); }
    bool Painted() const { return painted_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        painted_ = painted_ || event->type() == QEvent::Paint;
        return false;
    }

private:
    bool painted_ = false;
};

// Shows the window and processes events until it is exposed and has been painted, which may
// come after exposure; false, with the run marked as failed, when that does not happen.
bool ShowExposed(benchmark::State& state, QWidget& window) {
    const PaintWatch paint(window);
    window.show();
    if (QTest::qWaitForWindowExposed(&window) && QTest::qWaitFor([&] { return paint.Painted(); })) {
        return true;
    }
    state.SkipWithError("the window was not exposed and painted");
    return false;
}

// One start as the user sees it; the caller destroys the dialog.
void ShowAndClose(benchmark::State& state, QDialog& dialog) {
    ShowExposed(state, dialog);
    dialog.close();
}

void BM_ConfigDialogStartUp(benchmark::State& state) {
    const UsedSettings settings;
    NoUser user;
    for (auto _ : state) {
        ConfigDialog dialog(settings.StdPath(), user, user);
        ShowAndClose(state, dialog);
    }
}
BENCHMARK(BM_ConfigDialogStartUp)->Unit(benchmark::kMillisecond);

// The baseline: an empty dialog of the main window's size.
void BM_BareDialogStartUp(benchmark::State& state) {
    const UsedSettings settings;
    NoUser user;
    const QSize size = ConfigDialog(settings.StdPath(), user, user).size();
    for (auto _ : state) {
        QDialog dialog;
        dialog.setFixedSize(size);
        ShowAndClose(state, dialog);
    }
}
BENCHMARK(BM_BareDialogStartUp)->Unit(benchmark::kMillisecond);

// Shows the window, then clicks the check box once per iteration.
void ClickEachIteration(benchmark::State& state, QWidget& window, QCheckBox* checkBox) {
    if (!ShowExposed(state, window)) {
        return;
    }
    for (auto _ : state) {
        QTest::mouseClick(checkBox, Qt::LeftButton);
    }
}

void BM_ConfigDialogCheckBoxEdit(benchmark::State& state) {
    const UsedSettings settings;
    NoUser user;
    ConfigDialog dialog(settings.StdPath(), user, user);
    ClickEachIteration(state, dialog,
                       dialog.findChild<QCheckBox*>(QString::number(kCsemEnableCheck)));
}
BENCHMARK(BM_ConfigDialogCheckBoxEdit)->Unit(benchmark::kMicrosecond);

// The baseline: the click itself, on a check box nothing listens to.
void BM_BareCheckBoxClick(benchmark::State& state) {
    QDialog dialog;
    ClickEachIteration(state, dialog, new QCheckBox("Enable", &dialog));
}
BENCHMARK(BM_BareCheckBoxClick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zurcfg
