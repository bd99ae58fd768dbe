#pragma once

// Read-only windows beside the main one that show header texts in a fixed-width font:
// ChangesView shows a unified diff with added and removed lines on backgrounds tinted from the
// palette, so that they read well in light and dark colour schemes; HeaderPreview shows the text
// Save would write now and, in a second tab, how it differs from the file on disk. Texts equal
// to those shown are not set again, so the owner may hand them over after every change.

#include <QPlainTextEdit>
#include <QWidget>

class QTabWidget;

namespace zurcfg {

// Read-only, fixed-width, not wrapped; sets a text only when it differs from the one shown.
class TextView : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TextView(QWidget* parent = nullptr);

    void ShowText(const QString& text);

private:
    QString shown_;
};

class ChangesView : public TextView {
    Q_OBJECT

public:
    explicit ChangesView(QWidget* parent = nullptr);

    // Shows `diff`, or `unchanged` when it is empty.
    void ShowChanges(const QString& diff, const QString& unchanged);
};

class HeaderPreview : public QWidget {
    Q_OBJECT

public:
    // A window of its own, kept above `owner`.
    explicit HeaderPreview(QWidget* owner);

    void ShowTexts(const QString& header, const QString& changes);

    TextView* HeaderView() const { return header_; }
    ChangesView* Changes() const { return changes_; }
    QTabWidget* Tabs() const { return tabs_; }

private:
    QTabWidget* tabs_;
    TextView* header_;
    ChangesView* changes_;
};

}  // namespace zurcfg
