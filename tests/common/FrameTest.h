#pragma once

// Widget tests on a shown main window whose temporary folder is the test's
// and whose boxes the test's prompter answers.
#include "app/AppContext.h"
#include "common/ScriptedPrompter.h"
#include "gui/shell/MainWindow.h"

#include <QAction>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tess::test {

class FrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_context.tempDir = m_dir.path().toStdString();
        ASSERT_TRUE(m_frame.Create());
        m_frame.resize(1000, 700);
        m_frame.show();
    }
    const MainWindow::Commands &commands() const { return m_frame.commands(); }

    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    AppContext m_context;
    MainWindow m_frame {m_context, m_prompter};
};

} // namespace tess::test
