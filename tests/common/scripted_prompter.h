// A prompter for tests that expects message boxes in a fixed sequence, checks each one's text,
// caption and style, and gives the scripted answers. Shared by the native and Windows tests.
#pragma once

#include "base/prompter.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace sb::test {

class ScriptedPrompter final : public Prompter {
public:
    ScriptedPrompter() = default;
    // Also notes every box in the log, as "box <text>", in the order of the other events.
    explicit ScriptedPrompter(std::vector<std::string>& log) : m_pLog(&log) {}
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;
    ~ScriptedPrompter() override {
        for (const Box& box : m_boxes) {
            ADD_FAILURE() << "message box never shown: " << box.text;
        }
    }

    void Expect(std::string text, unsigned style, Answer answer = Answer::Ok) {
        m_boxes.push_back({std::move(text), style, answer});
    }
    bool AllShown() const { return m_boxes.empty(); }

    Answer ShowMessage(std::string_view text, std::string_view caption, unsigned style) override {
        if (m_pLog != nullptr) {
            m_pLog->push_back("box " + std::string(text));
        }
        EXPECT_EQ(caption, "Switchboard");
        if (m_boxes.empty()) {
            ADD_FAILURE() << "unexpected message box: " << text;
            return Answer::Cancel;
        }
        const Box box = m_boxes.front();
        m_boxes.pop_front();
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(style, box.style) << "style of " << box.text;
        return box.answer;
    }

private:
    struct Box {
        std::string text;
        unsigned style;
        Answer answer;
    };
    std::vector<std::string>* m_pLog = nullptr;
    std::deque<Box> m_boxes;
};

} // namespace sb::test
