#pragma once

#include <functional>
#include <utility>

#include <QApplication>
#include <QDialog>
#include <QString>
#include <QTimer>

namespace zurcfg::testing {

// Answers the modal box that the next steps open, from inside its modal loop, and closes it
// whatever the answer did, so that no test ever hangs on it.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QDialog&)> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerOpenBox(); });
        timer_.start(10);
    }

    // The caption of the box answered; empty when none came.
    QString Caption() const { return caption_; }
    bool ClosedByAnswer() const { return closedByAnswer_; }

private:
    void AnswerOpenBox() {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        timer_.stop();
        caption_ = box->windowTitle();
        answer_(*box);
        closedByAnswer_ = !box->isVisible();
        if (!closedByAnswer_) {
            box->reject();
        }
    }

    std::function<void(QDialog&)> answer_;
    QTimer timer_;
    QString caption_;
    bool closedByAnswer_ = false;
};

}  // namespace zurcfg::testing
