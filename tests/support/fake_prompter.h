#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "config/prompter.h"

namespace zurcfg::testing {

// Records every message and answers from a script; a message nobody scripted fails the test, and
// so does an answer left unused when the fake goes.
class FakePrompter : public Prompter {
public:
    ~FakePrompter() override {
        EXPECT_TRUE(script_.empty()) << script_.size() << " scripted answer(s) never asked for";
    }

    // whileAsked runs while the box is open, before it is answered: what happens meanwhile.
    FakePrompter& Will(Answer answer, std::function<void()> whileAsked = {}) {
        script_.push_back({answer, std::move(whileAsked)});
        return *this;
    }

    Answer Ask(const Message& message) override {
        messages_.push_back(message);
        if (script_.empty()) {
            ADD_FAILURE() << "Unscripted message box \"" << message.caption
                          << "\": " << message.text;
            return Answer::Cancel;
        }
        const auto [answer, whileAsked] = std::move(script_.front());
        script_.pop_front();
        if (whileAsked) {
            whileAsked();
        }
        return answer;
    }

    const std::vector<Message>& Messages() const { return messages_; }
    const Message& Last() const { return messages_.back(); }

private:
    std::deque<std::pair<Answer, std::function<void()>>> script_;
    std::vector<Message> messages_;
};

}  // namespace zurcfg::testing
