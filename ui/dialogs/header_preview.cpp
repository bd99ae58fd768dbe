#include "ui/dialogs/header_preview.h"

#include <QFontDatabase>
#include <QSyntaxHighlighter>
#include <QTabWidget>
#include <QVBoxLayout>

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
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void TextView::ShowText(const QString& text) {
    if (text != shown_) {
        shown_ = text;
        setPlainText(text);
    }
}

ChangesView::ChangesView(QWidget* parent) : TextView(parent) {
    new DiffHighlighter(document(), palette());
}

void ChangesView::ShowChanges(const QString& diff, const QString& unchanged) {
    ShowText(diff.isEmpty() ? unchanged : diff);
}

HeaderPreview::HeaderPreview(QWidget* owner)
    : QWidget(owner, Qt::Window),
      tabs_(new QTabWidget(this)),
      header_(new TextView(tabs_)),
      changes_(new ChangesView(tabs_)) {
    setWindowTitle(tr("Header preview"));
    tabs_->addTab(header_, tr("Header"));
    tabs_->addTab(changes_, tr("Changes to the file on disk"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    resize(760, 560);
}

void HeaderPreview::ShowTexts(const QString& header, const QString& changes) {
    header_->ShowText(header);
    changes_->ShowChanges(changes, tr("Save would write the file on disk as it is."));
}

}  // namespace zurcfg
