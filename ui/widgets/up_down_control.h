#pragma once

#include <QWidget>

class QToolButton;

namespace zurcfg {

// An up arrow over a down arrow, tied to no edit: it only proposes a step, and whoever listens
// decides what the step changes. The Up and Down keys step it while it has the focus, and while
// an edit it was given the keys of has.
class UpDownControl : public QWidget {
    Q_OBJECT

public:
    explicit UpDownControl(QWidget* parent = nullptr);

    // The Up and Down keys in `edit` step this control instead of reaching the edit.
    void TakeArrowKeysOf(QWidget* edit);
    // Names the arrows for screen readers after what they step ("Tasks count up").
    void NameArrowsFor(const QString& stepped);
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // -1 for the up arrow, +1 for the down arrow.
    void PositionChanging(int delta);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Proposes the step of the Up or Down key; false for any other key.
    bool StepFor(int key);
    QToolButton* MakeArrow(Qt::ArrowType arrow, int delta);

    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace zurcfg
