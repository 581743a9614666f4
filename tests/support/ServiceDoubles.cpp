#include "ServiceDoubles.h"

namespace vcm::test {

int ScriptedMessages::show(const QString& text, int style, const QString& title) {
    shown.push_back({text, style, title});
    if (onShow) {
        onShow(shown.back());
    }
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    const bool question = (style & 0x0F) == 4;
    if (!question) {
        return ui::kAnswerOk;
    }
    if (!questionBits_) {
        return ui::kAnswerNo;
    }
    const bool yes = (*questionBits_ & 1U) != 0;
    questionBits_ = (*questionBits_ >> 1) | (*questionBits_ << 31);
    return yes ? ui::kAnswerYes : ui::kAnswerNo;
}

}  // namespace vcm::test
