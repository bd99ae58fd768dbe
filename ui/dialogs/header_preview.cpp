#include "ui/dialogs/header_preview.h"

#include <algorithm>

#include <QFontDatabase>
#include <QSyntaxHighlighter>
#include <QTabWidget>
#include <QTextCursor>

namespace zurcfg {

namespace {

// `tint` laid over `base` at a third of its strength: a light green on a white page, a dark
// green on a black one, and the palette's text colour stays readable on both.
QColor Tinted(const QColor& base, const QColor& tint) {
    constexpr double kStrength = 0.3;
    return QColor::fromRgbF(
        static_cast<float>(base.redF() + (tint.redF() - base.redF()) * kStrength),
        static_cast<float>(base.greenF() + (tint.greenF() - base.greenF()) * kStrength),
        static_cast<float>(base.blueF() + (tint.blueF() - base.blueF()) * kStrength));
}

// Colours the lines of a unified diff as they are laid out, so that a long diff costs nothing
// before it is seen.
class DiffHighlighter : public QSyntaxHighlighter {
public:
    DiffHighlighter(QTextDocument* document, const QPalette& palette)
        : QSyntaxHighlighter(document) {
        const QColor base = palette.color(QPalette::Base);
        added_.setBackground(Tinted(base, QColor(0, 170, 0)));
        removed_.setBackground(Tinted(base, QColor(220, 0, 0)));
        hunk_.setFontWeight(QFont::Bold);
    }

protected:
    void highlightBlock(const QString& line) override {
        if (line.startsWith(QLatin1String("@@"))) {
            setFormat(0, static_cast<int>(line.size()), hunk_);
        } else if (line.startsWith('+') && !line.startsWith(QLatin1String("+++ "))) {
            setFormat(0, static_cast<int>(line.size()), added_);
        } else if (line.startsWith('-') && !line.startsWith(QLatin1String("--- "))) {
            setFormat(0, static_cast<int>(line.size()), removed_);
        }
    }

private:
    QTextCharFormat added_;
    QTextCharFormat removed_;
    QTextCharFormat hunk_;
};

}  // namespace

TextView::TextView(QWidget* parent) : QPlainTextEdit(parent) {
    document()->setUndoRedoEnabled(false);
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

// Replaces only the part between the first and the last character that changed, so that one
// edit of a long header lays out again only the lines it touched.
void TextView::ShowText(const QString& text) {
    if (text == shown_) {
        return;
    }
    const qsizetype common = std::min(text.size(), shown_.size());
    const qsizetype prefix =
        std::mismatch(text.begin(), text.begin() + common, shown_.begin()).first - text.begin();
    const qsizetype suffix =
        std::mismatch(text.rbegin(), text.rbegin() + (common - prefix), shown_.rbegin()).first -
        text.rbegin();
    // Plain text holds no character that the document counts as more than one position.
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(prefix));
    cursor.setPosition(static_cast<int>(shown_.size() - suffix), QTextCursor::KeepAnchor);
    cursor.insertText(text.mid(prefix, text.size() - prefix - suffix));
    shown_ = text;
}

ChangesView::ChangesView(QWidget* parent) : TextView(parent) {
    new DiffHighlighter(document(), palette());
}

void ChangesView::ShowChanges(const QString& diff, const QString& unchanged) {
    ShowText(diff.isEmpty() ? unchanged : diff);
}

HeaderPreview::HeaderPreview(QWidget* owner)
    : SideWindow(owner, tr("Header preview")),
      tabs_(new QTabWidget(this)),
      header_(new TextView(tabs_)),
      changes_(new ChangesView(tabs_)) {
    tabs_->addTab(header_, tr("Header"));
    tabs_->addTab(changes_, tr("Changes to the file on disk"));
    connect(tabs_, &QTabWidget::currentChanged, this, &HeaderPreview::ShowChangesIfSeen);
    SetContent(tabs_);
}

void HeaderPreview::ShowTexts(const QString& header, std::function<QString()> changes) {
    header_->ShowText(header);
    changesText_ = std::move(changes);
    ShowChangesIfSeen();
}

void HeaderPreview::ShowChangesIfSeen() {
    if (tabs_->currentWidget() == changes_ && changesText_) {
        changes_->ShowChanges(changesText_(), tr("Save would write the file on disk as it is."));
    }
}

BackupWindow::BackupWindow(QWidget* owner)
    : SideWindow(owner, tr("Compare with backup")), changes_(new ChangesView(this)) {
    SetContent(changes_);
}

}  // namespace zurcfg
