#include "app/common/ui_answers.h"

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

std::optional<sim::DialogAnswer> UiAnswers::AnswerDialog(const winsys::DialogRequest& /*request*/) {
    if (answers_.empty() || !answers_.front().contains("dialog")) {
        return std::nullopt;
    }
    const nlohmann::json answer = answers_.front();
    answers_.pop_front();
    const std::string word = answer["dialog"].get<std::string>();
    sim::DialogAnswer chosen;
    chosen.result = word == "ok" ? winsys::kIdOk : word == "fail" ? -1 : winsys::kIdCancel;
    if (answer.contains("check")) {
        chosen.checked = answer["check"].get<bool>();
    }
    return chosen;
}
