#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "ui/prompts/file_chooser.h"

namespace zurcfg::testing {

// Answers file dialogs from a script: a path, or empty for Cancel. A dialog nobody scripted
// fails the test, and so does an answer left unused.
class FakeFileChooser : public FileChooser {
public:
    ~FakeFileChooser() override {
        EXPECT_TRUE(script_.empty())
            << script_.size() << " scripted file choice(s) never asked for";
    }

    FakeFileChooser& Will(std::optional<std::string> answer) {
        script_.push_back(std::move(answer));
        return *this;
    }

    std::optional<std::string> Choose(const FileRequest& request) override {
        requests_.push_back(request);
        if (script_.empty()) {
            ADD_FAILURE() << "Unscripted file dialog";
            return std::nullopt;
        }
        std::optional<std::string> answer = script_.front();
        script_.pop_front();
        return answer;
    }

    const std::vector<FileRequest>& Requests() const { return requests_; }

private:
    std::deque<std::optional<std::string>> script_;
    std::vector<FileRequest> requests_;
};

}  // namespace zurcfg::testing
