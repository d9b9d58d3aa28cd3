#pragma once

#include "editor/Prompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

namespace tess {

// A Prompter for tests, handed to what the test drives. It answers from a
// script, in order, and records every message and file request. A prompt without a scripted answer
// of its kind fails the test and gets Cancel (OK for an OK-only box); so does leaving answers
// unused.
class ScriptedPrompter : public Prompter
{
public:
    enum class Kind { Message, OpenFile, SaveFile, Folder };
    struct Shown
    {
        std::string text;
        Icon icon;
        Buttons buttons;
        std::string caption;
    };
    struct Request
    {
        Kind kind;
        FileRequest file; // a folder request fills title and initialPath
    };

    ScriptedPrompter() = default;
    ScriptedPrompter(const ScriptedPrompter &) = delete;
    ScriptedPrompter &operator=(const ScriptedPrompter &) = delete;
    ~ScriptedPrompter() override
    {
        EXPECT_TRUE(m_script.empty()) << m_script.size() << " scripted answer(s) never used";
    }

    ScriptedPrompter &answer(Answer a) { return push({Kind::Message, a, {}}); }
    // A path for the next file or folder dialog; empty means Cancel.
    ScriptedPrompter &file(Kind kind, std::string path)
    {
        return push({kind, Answer::Ok, std::move(path)});
    }

    const std::vector<Shown> &messages() const { return m_messages; }
    const std::vector<Request> &requests() const { return m_requests; }

    Answer message(const std::string &text, Icon icon, Buttons buttons,
                   const std::string &caption) override
    {
        m_messages.push_back({text, icon, buttons, caption});
        if (const Step *step = next(Kind::Message, "message \"" + text + "\""))
            return step->answer;
        return buttons == Buttons::Ok   ? Answer::Ok
            : buttons == Buttons::YesNo ? Answer::No
                                        : Answer::Cancel;
    }
    std::string openFileName(const FileRequest &r) override { return path(Kind::OpenFile, r); }
    // Several files are scripted as one path with a line feed between them.
    std::vector<std::string> openFileNames(const FileRequest &r) override
    {
        std::vector<std::string> files;
        const std::string all = path(Kind::OpenFile, r);
        for (size_t start = 0; start < all.size();) {
            const size_t end = std::min(all.find('\n', start), all.size());
            files.push_back(all.substr(start, end - start));
            start = end + 1;
        }
        return files;
    }
    std::string saveFileName(const FileRequest &r) override { return path(Kind::SaveFile, r); }
    std::string folderName(const std::string &title, const std::string &initialPath) override
    {
        FileRequest r;
        r.title = title;
        r.initialPath = initialPath;
        return path(Kind::Folder, r);
    }

private:
    struct Step
    {
        Kind kind;
        Answer answer;
        std::string path;
    };

    ScriptedPrompter &push(Step step)
    {
        m_script.push_back(std::move(step));
        return *this;
    }
    const Step *next(Kind kind, const std::string &what)
    {
        if (m_script.empty() || m_script.front().kind != kind) {
            ADD_FAILURE() << "no scripted answer for " << what;
            return nullptr;
        }
        m_last = m_script.front();
        m_script.pop_front();
        return &m_last;
    }
    std::string path(Kind kind, const FileRequest &request)
    {
        m_requests.push_back({kind, request});
        const Step *step = next(kind, "file dialog \"" + request.title + "\"");
        return step ? step->path : std::string();
    }

    std::deque<Step> m_script;
    Step m_last {};
    std::vector<Shown> m_messages;
    std::vector<Request> m_requests;
};

} // namespace tess
