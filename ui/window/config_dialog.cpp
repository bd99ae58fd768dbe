#include "ui/window/config_dialog.h"

#include <algorithm>
#include <limits>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/ram_statistic.h"
#include "config/text_field_checks.h"
#include "resources/accessible_names.h"
#include "resources/control_ids.h"
#include "resources/main_dialog_template.h"
#include "resources/tips_dialog_template.h"
#include "ui/common/local_text.h"
#include "ui/common/marked_background.h"
#include "ui/common/program_icon.h"
#include "ui/dialogs/about_entry.h"
#include "ui/document/document_history.h"
#include "ui/document/unsaved_work.h"
#include "ui/layout/dialog_builder.h"
#include "ui/name_tables/name_markers.h"
#include "ui/name_tables/name_tables.h"
#include "ui/widgets/drop_down_choice.h"
#include "ui/widgets/flex_grid.h"
#include "ui/widgets/up_down_control.h"
#include "ui/window/control_bindings.h"
#include "ui/window/integer_transfer.h"
#include "ui/window/key_pre_filter.h"
#include "ui/window/main_menu.h"
#include "ui/window/option_step.h"

namespace zurcfg {

namespace {

// The program's own name, which titles the messages of the window read.
std::string ApplicationName() {
    return ToLocal8Bit(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

// The main window's caption: the document, and " (*)" while it is modified.
std::string WindowTitle(const std::string& documentPath, bool modified) {
    std::string title =
        documentPath.empty() ? "ZURcfg: nofile" : "ZURcfg: \"" + documentPath + "\"";
    if (modified) {
        title += " (*)";
    }
    return title;
}

// The title exactly as given: Qt would take "[*]" in it for its modified placeholder, and shows a
// doubled one as the text itself.
QString LiteralWindowTitle(const std::string& title) {
    return FromLocal8Bit(title).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

// The five "Enable" boxes that "Enable all" overrides.
constexpr int kServiceEnableChecks[] = {kCsemEnableCheck, kQmsgEnableCheck, kQsmsgEnableCheck,
                                        kTaskTimersEnableCheck, kDynamicTimersEnableCheck};

constexpr int kRamFigureLabels[] = {kRamBank0Label, kRamBank1Label, kRamBank2Label, kRamBank3Label};

// The captions beside the RAM figures ("bank1"), which screen readers read with the figures.
std::array<QString, 4> RamBankCaptions() {
    const ControlNames names(kMainDialog);
    std::array<QString, 4> captions;
    for (int index = 0; index < kMainDialog.controlCount; ++index) {
        const int* figure = std::find(std::begin(kRamFigureLabels), std::end(kRamFigureLabels),
                                      kMainDialog.controls[index].id);
        if (figure != std::end(kRamFigureLabels)) {
            captions[figure - std::begin(kRamFigureLabels)] = FromLocal8Bit(names.RowLabel(index));
        }
    }
    return captions;
}

// Controls whose every change runs a window read. The task count and the two message type
// edits are not among them: their text waits for the next read, whatever control causes it.
constexpr int kReadOnClick[] = {kTaskTimersEnableCheck, kDynamicTimersEnableCheck,
                                kCsemEnableCheck,       kQmsgEnableCheck,
                                kQsmsgEnableCheck,      kQueuesIdenticalCheck,
                                kDisablePriorityCheck,  kIntAllCheck,
                                kCsemIsrCheck,          kMsgIsrCheck,
                                kSmsgIsrCheck,          kQueueIsrCheck,
                                kCriticalSectionsCheck, kInlineTimerCheck};
constexpr int kReadOnSelection[] = {kTasksBankList,        kStimersBankList,     kTaskTimerSizeList,
                                    kDynamicTimerSizeList, kStaticTimerSizeList, kCsemSizeList,
                                    kSystemTimerSizeList,  kSystemBankList,      kPlatformList,
                                    kBsemsBankList};
constexpr int kReadOnTextChange[] = {kStimersEdit, kBsemsEdit, kProjectNameEdit};

}  // namespace

// An arrow beside a count edit and the smallest count it may step to.
struct CountArrow {
    int upDownId;
    int editId;
    int32_t TransferValues::*shown;
    int32_t minimum;
};

constexpr CountArrow kCountArrows[] = {
    {kTasksUpDown, kTasksEdit, &TransferValues::tasks, 1},
    {kStimersUpDown, kStimersEdit, &TransferValues::stimers, 0},
    {kBsemsUpDown, kBsemsEdit, &TransferValues::bsems, 0},
};

ConfigDialog::ConfigDialog(std::string settingsPath, Prompter& prompter, FileChooser& fileChooser,
                           TipPresenter* tipPresenter, QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      fileChooser_(fileChooser),
      tipPresenter_(tipPresenter),
      fonts_(PlatformDialogFonts()),
      ramBankCaptions_(RamBankCaptions()),
      settings_(std::move(settingsPath)),
      history_(std::make_unique<DocumentHistory>(static_cast<EditTarget&>(*this))),
      diskGuard_(prompter) {
    auto* body = new QWidget(this);
    controls_ = BuildDialog(body, kMainDialog, fonts_);
    SetUpMenu(body);
    OnInitDialog();
}

// The window writes its settings once more as it goes, whether or not anything changed.
ConfigDialog::~ConfigDialog() {
    settings_.SaveSettings();
}

void ConfigDialog::OnInitDialog() {
    AddListItems();
    aboutEntry_ = new AboutEntry(this);
    setWindowIcon(ProgramIcon());
    SetUpNameTables();
    document_.configuration = settings_.defaultConfiguration;
    recentPaths_ = settings_.recentPaths;
    ShowConfiguration();
    FillPathBox();
    MarkUnmodified();
    RegisterTooltips();
    ConnectNotifications();
    RefreshWindow();
    RunStartupTip();
    Control(kPathBox)->setFocus();
    menu_->UpdateCommands();
}

void ConfigDialog::AddListItems() {
    for (const ControlTemplate& control : kMainDialog) {
        if (control.kind != ControlKind::DropDownList) {
            continue;
        }
        auto* list = Control<QComboBox>(control.id);
        for (std::string_view item : ListItems(control.id)) {
            list->addItem(FromLocal8Bit(item));
        }
    }
}

void ConfigDialog::RegisterTooltips() {
    for (const Tooltip& tooltip : kMainDialogTooltips) {
        tooltips_.insert(tooltip.controlId, FromLocal8Bit(tooltip.text));
        Control(tooltip.controlId)->setToolTip(tooltips_.value(tooltip.controlId));
    }
}

void ConfigDialog::ConnectNotifications() {
    connect(Control<QCheckBox>(kEnableAllCheck), &QCheckBox::clicked, this,
            &ConfigDialog::OnEnableAll);
    for (int id : kReadOnClick) {
        connect(Control<QCheckBox>(id), &QCheckBox::clicked, this, &ConfigDialog::OnControlChanged);
    }
    for (int id : kReadOnSelection) {
        connect(Control<QComboBox>(id), &QComboBox::currentIndexChanged, this,
                &ConfigDialog::OnControlChanged);
    }
    for (int id : kReadOnTextChange) {
        connect(Control<QLineEdit>(id), &QLineEdit::textChanged, this,
                &ConfigDialog::OnControlChanged);
    }
    for (const auto& text : kTextControls) {
        connect(Control<QLineEdit>(text.controlId), &QLineEdit::textChanged, this,
                &ConfigDialog::MarkTextProblems);
    }
    for (const CountArrow& arrow : kCountArrows) {
        auto* upDown = Control<UpDownControl>(arrow.upDownId);
        connect(upDown, &UpDownControl::PositionChanging, this,
                [this, &arrow](int delta) { OnCountArrow(arrow, delta); });
        upDown->TakeArrowKeysOf(Control(arrow.editId));
        upDown->NameArrowsFor(Control(arrow.editId)->accessibleName());
    }
    keyPreFilter_ =
        std::make_unique<KeyPreFilter>(this, *nameTables_, Control<QComboBox>(kPathBox));
    ConnectDocumentCommands();
    ConnectEditCommands();
}

void ConfigDialog::FillPathBox() {
    auto* pathBox = Control<QComboBox>(kPathBox);
    pathBox->clear();
    for (const std::string& path : recentPaths_) {
        if (path.empty()) {
            break;
        }
        pathBox->addItem(FromFileName(path));
    }
    pathBox->setCurrentIndex(-1);
    menu_->ShowRecentPaths(recentPaths_);
}

// The tip announces the name style's check box while no style has been chosen.
void ConfigDialog::RunStartupTip() {
    if (settings_.ZURVERSION == 0) {
        OnTipOfTheDay();
    } else {
        Control<QCheckBox>(kOldStyleNamesCheck)->setChecked(settings_.OldStyleNames());
    }
}

// Asking not to see the tip again chooses the old-style names, which are written while no style
// has been chosen, so saved headers do not change. Once a style is chosen the tip no longer comes
// at start, and its box says so. Ends with the check box showing the style the settings hold.
void ConfigDialog::OnTipOfTheDay() {
    const bool styleChosen = settings_.ZURVERSION != 0;
    if (tipPresenter_ != nullptr && tipPresenter_->ShowTip(kStartupTip, styleChosen) &&
        !styleChosen) {
        settings_.ZURVERSION = AppSettings::kOldStyleNamesVersion;
        settings_.ZURVERSIONTIP = 0;
    }
    Control<QCheckBox>(kOldStyleNamesCheck)->setChecked(settings_.OldStyleNames());
}

bool ConfigDialog::ReadWindow() {
    // Controls set while the window is filled may hold a count not yet written; only the
    // refresh runs then.
    if (!filling_) {
        transfer_.enableAll = CheckState(kEnableAllCheck);
        if (!TransferCount(kTasksEdit, transfer_.tasks) ||
            !TransferCount(kStimersEdit, transfer_.stimers) ||
            !TransferCount(kBsemsEdit, transfer_.bsems)) {
            return false;
        }
        ReadConfiguration();
    }
    RefreshWindow();
    return true;
}

bool ConfigDialog::TransferCount(int editId, int32_t& value) {
    auto* edit = Control<QLineEdit>(editId);
    if (const std::optional<int32_t> number = TransferInteger(ToLocal8Bit(edit->text()))) {
        value = *number;
        return true;
    }
    prompter_.Ask({"Please enter an integer.", ApplicationName(), Buttons::Ok, Icon::Exclamation});
    edit->setFocus();
    edit->selectAll();
    return false;
}

int32_t ConfigDialog::CheckState(int checkBoxId) const {
    return Control<QCheckBox>(checkBoxId)->checkState() == Qt::Unchecked ? 0 : 1;
}

void ConfigDialog::ShowConfiguration() {
    filling_ = true;
    const Configuration& shown = document_.configuration;
    for (const auto& count : kCountControls) {
        Control<QLineEdit>(count.controlId)->setText(QString::number(shown.*count.field));
    }
    for (const auto& flag : kSwitchControls) {
        Control<QCheckBox>(flag.controlId)->setChecked(shown.*flag.field != 0);
    }
    for (const auto& list : kListControls) {
        auto* comboBox = Control<QComboBox>(list.controlId);
        const int32_t position = shown.*list.field;
        comboBox->setCurrentIndex(position >= 0 && position < comboBox->count() ? position : -1);
    }
    for (const auto& text : kTextControls) {
        Control<QLineEdit>(text.controlId)->setText(FromLocal8Bit(shown.*text.field));
    }
    filling_ = false;
}

Configuration ConfigDialog::ShownConfiguration() const {
    Configuration shown;
    for (const auto& count : kCountControls) {
        shown.*count.field =
            LeadingInteger(ToLocal8Bit(Control<QLineEdit>(count.controlId)->text()));
    }
    for (const auto& flag : kSwitchControls) {
        shown.*flag.field = static_cast<uint8_t>(CheckState(flag.controlId));
    }
    for (const auto& list : kListControls) {
        shown.*list.field = Control<QComboBox>(list.controlId)->currentIndex();
    }
    for (const auto& text : kTextControls) {
        shown.*text.field = ToLocal8Bit(Control<QLineEdit>(text.controlId)->text());
    }
    return shown;
}

void ConfigDialog::ReadConfiguration() {
    if (filling_) {
        return;
    }
    const Configuration read = ShownConfiguration();
    if (!read.IsDifferent(document_.configuration)) {
        return;
    }
    const OptionStep step = StepFor(document_.configuration, read);
    Document edited = document_;
    edited.configuration = read;
    history_->Record(document_, edited, FromLocal8Bit(step.name), step.typingControl);
}

void ConfigDialog::RefreshWindow() {
    for (const ControlRule& rule : kControlRules) {
        const int controlId = RuleControlId(rule);
        Control(controlId)->setEnabled(rule.Enabled(document_.configuration));
        ShowGreyedReason(controlId, rule.WhyGreyed(document_.configuration));
    }
    MarkTextProblems();
    setWindowTitle(LiteralWindowTitle(WindowTitle(document_.path, IsModified())));
    ShowRamFigures();
    // A window being filled is refreshed again once it is full.
    if (!filling_) {
        nameMarkers_->Update(document_, settings_.OldStyleNames());
        RefreshPreview();
        if (unsavedWork_) {
            unsavedWork_->DocumentChanged();
        }
    }
}

// A document whose file was lost since holds the only copy of its values.
bool ConfigDialog::IsModified() const {
    return document_.IsChangedFrom(saved_) || diskGuard_.FileLost();
}

void ConfigDialog::MarkUnmodified() {
    saved_ = document_;
}

void ConfigDialog::ShowGreyedReason(int controlId, const std::string& reason) {
    QString tooltip = tooltips_.value(controlId);
    if (!reason.empty()) {
        tooltip += (tooltip.isEmpty() ? "" : "\n") + FromLocal8Bit(reason);
    }
    QWidget* control = Control(controlId);
    if (control->toolTip() != tooltip) {
        control->setToolTip(tooltip);
    }
}

// From the edits' texts as typed, so that a mark comes and goes while the user types.
void ConfigDialog::MarkTextProblems() {
    const auto textOf = [this](int id) { return ToLocal8Bit(Control<QLineEdit>(id)->text()); };
    ShowTextProblem(kMsgTypeEdit, MessageTypeProblem(textOf(kMsgTypeEdit)));
    ShowTextProblem(kSmsgTypeEdit, MessageTypeProblem(textOf(kSmsgTypeEdit)));
    ShowTextProblem(kProjectNameEdit, ProjectNameProblem(textOf(kProjectNameEdit)));
}

void ConfigDialog::ShowTextProblem(int editId, const std::string& problem) {
    ShowGreyedReason(editId, problem);
    QWidget* edit = Control(editId);
    const QString description = FromLocal8Bit(problem);
    if (edit->accessibleDescription() == description) {
        return;
    }
    edit->setAccessibleDescription(description);
    QPalette palette;  // a palette with nothing set takes the window's again
    if (!problem.empty()) {
        palette = edit->palette();
        palette.setColor(QPalette::Base, MarkedBackground());
    }
    edit->setPalette(palette);
}

void ConfigDialog::ShowRamFigures() {
    const std::array<RamFigure, 4> figures = RamFigures(document_.configuration);
    const QString unit =
        ComputeRamUsage(document_.configuration) ? QStringLiteral(" bytes") : QString();
    for (std::size_t bank = 0; bank < figures.size(); ++bank) {
        auto* label = Control<QLabel>(kRamFigureLabels[bank]);
        const QString figure = FromLocal8Bit(figures[bank].text);
        label->setText(figure);
        label->setEnabled(figures[bank].enabled);
        ShowGreyedReason(kRamFigureLabels[bank], figures[bank].whyGreyed);
        // Read as "bank1: 123 bytes", not as a number on its own.
        label->setAccessibleName(ramBankCaptions_[bank] + QStringLiteral(": ") + figure + unit);
    }
}

// Enter presses the push button that has the focus and is otherwise the OK command.
void ConfigDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        } else {
            OnOK();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void ConfigDialog::reject() {
    RunDocumentCommand([this] { OnCancel(); });
}

// The OK command never closes the window.
void ConfigDialog::OnOK() {}

void ConfigDialog::OnEnableAll() {
    ReadWindow();
    // Follows the box even when the read stopped at a bad count.
    const bool enable = transfer_.enableAll == 0;
    for (int id : kServiceEnableChecks) {
        Control(id)->setEnabled(enable);
    }
}

void ConfigDialog::OnControlChanged() {
    ReadWindow();
}

// Name tables and count arrows.

void ConfigDialog::SetUpNameTables() {
    nameTables_ = std::make_unique<NameTables>(Control<FlexGrid>(kStimersGrid),
                                               Control<FlexGrid>(kBsemsGrid), fonts_.fixed);
    nameMarkers_ = std::make_unique<NameMarkers>(nameTables_->Bsems(), nameTables_->Stimers());
    connect(nameTables_.get(), &NameTables::Modified, this, &ConfigDialog::OnTablesModified);
    connect(nameTables_.get(), &NameTables::Full, this, &ConfigDialog::OnTableFull);
}

// Insert would push the last entry's name out of the table.
void ConfigDialog::OnTableFull(const NameTable& table) {
    prompter_.Ask({"The " + std::string(table.Name()) + " table is full: it holds " +
                       std::to_string(table.EntryCount()) +
                       " names.\nDelete a row before inserting one.",
                   ApplicationName(), Buttons::Ok, Icon::Exclamation});
}

// The arrows are tied to no edit: they step the count the window read took, keep it at its
// minimum, with no upper bound but the largest count there is, and read the window again. A
// refused count stops them, so that one click tells the user once. Each click is a step of its
// own, apart from any typing in the edit.
void ConfigDialog::OnCountArrow(const CountArrow& arrow, int delta) {
    history_->EndTyping();
    if (!ReadWindow()) {
        return;
    }
    const int64_t stepped = int64_t{transfer_.*arrow.shown} - delta;
    const int64_t kept =
        std::clamp<int64_t>(stepped, arrow.minimum, std::numeric_limits<int32_t>::max());
    Control<QLineEdit>(arrow.editId)->setText(QString::number(kept));
    ReadWindow();
    history_->EndTyping();
}

}  // namespace zurcfg
