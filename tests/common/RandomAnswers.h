#pragma once

#include "editor/Prompter.h"

#include <random>
#include <string>

namespace tess {

// A Prompter for random sessions: answers every question at random and
// cancels every file dialog, as a user clicking about would.
class RandomAnswers : public Prompter
{
public:
    explicit RandomAnswers(std::mt19937 &random)
        : m_random(random)
    { }
    Answer message(const std::string &, Icon, Buttons buttons, const std::string &) override
    {
        const bool first = m_random() % 2 == 0;
        switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return first ? Answer::Ok : Answer::Cancel;
        default:
            return first ? Answer::Yes : Answer::No;
        }
    }
    std::string openFileName(const FileRequest &) override { return {}; }
    std::string saveFileName(const FileRequest &) override { return {}; }
    std::string folderName(const std::string &, const std::string &) override { return {}; }

private:
    std::mt19937 &m_random;
};

} // namespace tess
