#pragma once

// Read-only windows beside the main one that show header texts in a fixed-width font:
// ChangesView shows a unified diff with added and removed lines on backgrounds tinted from the
// palette, so that they read well in light and dark colour schemes; HeaderPreview shows the text
// Save would write now and, in a second tab, how it differs from the file on disk; BackupWindow
// shows what the last save changed. Only what changed in a text is laid out again, and the
// differences are worked out only while their tab is shown, so the owner may hand the texts over
// after every change.

#include <functional>

#include <QPlainTextEdit>

#include "ui/dialogs/side_window.h"

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

class HeaderPreview : public SideWindow {
    Q_OBJECT

public:
    explicit HeaderPreview(QWidget* owner);

    // `changes` gives the unified diff; it is called now if its tab is shown, else when the tab
    // is chosen.
    void ShowTexts(const QString& header, std::function<QString()> changes);

    TextView* HeaderView() const { return header_; }
    ChangesView* Changes() const { return changes_; }
    QTabWidget* Tabs() const { return tabs_; }

private:
    void ShowChangesIfSeen();

    QTabWidget* tabs_;
    TextView* header_;
    ChangesView* changes_;
    std::function<QString()> changesText_;
};

// The differences between a header and its backup.
class BackupWindow : public SideWindow {
    Q_OBJECT

public:
    explicit BackupWindow(QWidget* owner);

    ChangesView* Changes() const { return changes_; }

private:
    ChangesView* changes_;
};

}  // namespace zurcfg
