#include "app/ui_answers.h"

std::optional<int> UiAnswers::AnswerMessageBox(const sim::MessageBoxRequest& /*request*/) {
    if (answers_.empty() || !answers_.front().contains("msgbox")) {
        return std::nullopt;
    }
    const std::string word = answers_.front()["msgbox"].get<std::string>();
    answers_.pop_front();
    if (word == "yes") {
        return winsys::kIdYes;
    }
    if (word == "no") {
        return winsys::kIdNo;
    }
    if (word == "ok") {
        return winsys::kIdOk;
    }
    return winsys::kIdCancel;
}
