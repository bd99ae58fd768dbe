// The document's own costs in the window, on a header with both name tables full, against the
// edit they follow (the 1/50-frame budget of an edit is 333 us):
// - one undo step: Undo or Redo of a check box's step, the controls and grids shown again, also
//   with the preview open;
// - one preview refresh: the same check-box edit with the header preview open, which formats the
//   header, compares it with the file on disk and shows both; the baseline is that edit without
//   the preview.
// Run: build/bench/document_bench
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <QTest>

#include <stdexcept>

#include <benchmark/benchmark.h>

#include "bench/named_entries.h"
#include "bench/silent_prompter.h"
#include "config/document.h"
#include "resources/control_ids.h"
#include "support/temp_dir.h"
#include "ui/dialogs/header_preview.h"
#include "ui/window/config_dialog.h"

namespace zurcfg {
namespace {

class NoFileChooser : public FileChooser {
public:
    std::optional<std::string> Choose(const FileRequest&) override { return std::nullopt; }
};

// The window with a header of full name tables opened from its path box, shown and active.
class OpenedProject {
public:
    OpenedProject() {
        Document document;
        document.configuration.OS_TASKS = 8;
        document.configuration.OS_BSEMS = kBsemsEntries;
        document.configuration.OS_STIMERS = kStimersEntries;
        document.SetTables(bench::NamedEntries("BS_", kBsemsEntries),
                           bench::NamedEntries("ST_", kStimersEntries));
        const std::string header = folder_.File("ZURcfg.h");
        testing::WriteBytes(header, testing::WithCrLf(document.HeaderText(false)));
        testing::WriteBytes(folder_.File("file.ini"),
                            "[PATHS]\r\npath0=" + header + "\r\n[SETUP]\r\nZURVERSION=90200\r\n");
        dialog_ = std::make_unique<ConfigDialog>(folder_.File("file.ini"), prompter_, chooser_);
        dialog_->show();
        QApplication::setActiveWindow(dialog_.get());
        if (!QTest::qWaitForWindowExposed(dialog_.get())) {
            throw std::runtime_error("the window was not exposed");
        }
        auto* pathBox = dialog_->findChild<QComboBox*>(QString::number(kPathBox));
        pathBox->showPopup();
        pathBox->view()->setCurrentIndex(pathBox->model()->index(0, 0));
        QTest::keyClick(pathBox->view(), Qt::Key_Return);
    }

    ConfigDialog& Dialog() const { return *dialog_; }
    QCheckBox* CheckBox() const {
        return dialog_->findChild<QCheckBox*>(QString::number(kCsemEnableCheck));
    }

private:
    testing::TempDir folder_;
    bench::SilentPrompter prompter_;
    NoFileChooser chooser_;
    std::unique_ptr<ConfigDialog> dialog_;
};

void ClickEachIteration(benchmark::State& state, const OpenedProject& project) {
    for (auto _ : state) {
        QTest::mouseClick(project.CheckBox(), Qt::LeftButton);
    }
}

void BM_CheckBoxEdit(benchmark::State& state) {
    const OpenedProject project;
    ClickEachIteration(state, project);
}
BENCHMARK(BM_CheckBoxEdit)->Unit(benchmark::kMicrosecond);

// Undo and Redo in turns of one check-box step.
void UndoEachIteration(benchmark::State& state, const OpenedProject& project) {
    QTest::mouseClick(project.CheckBox(), Qt::LeftButton);
    bool undo = true;
    for (auto _ : state) {
        (undo ? project.Dialog().UndoAction() : project.Dialog().RedoAction())->trigger();
        undo = !undo;
    }
}

void BM_UndoStep(benchmark::State& state) {
    const OpenedProject project;
    UndoEachIteration(state, project);
}
BENCHMARK(BM_UndoStep)->Unit(benchmark::kMicrosecond);

// The same with the preview open, which follows each step once.
void BM_UndoStepWithPreview(benchmark::State& state) {
    const OpenedProject project;
    project.Dialog().HeaderPreviewAction()->trigger();
    UndoEachIteration(state, project);
}
BENCHMARK(BM_UndoStepWithPreview)->Unit(benchmark::kMicrosecond);

void BM_CheckBoxEditWithPreview(benchmark::State& state) {
    const OpenedProject project;
    project.Dialog().HeaderPreviewAction()->trigger();
    ClickEachIteration(state, project);
}
BENCHMARK(BM_CheckBoxEditWithPreview)->Unit(benchmark::kMicrosecond);

// The same with the preview's tab of changes shown, which compares with the file on disk.
void BM_CheckBoxEditWithPreviewChanges(benchmark::State& state) {
    const OpenedProject project;
    project.Dialog().HeaderPreviewAction()->trigger();
    project.Dialog().Preview()->Tabs()->setCurrentIndex(1);
    ClickEachIteration(state, project);
}
BENCHMARK(BM_CheckBoxEditWithPreviewChanges)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zurcfg
