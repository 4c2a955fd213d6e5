#pragma once

#include "app/AppContext.h"
#include "app/MainForm.h"
#include "platform/QtSettingsStore.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace velmora::test {

/** A fresh program for each test: its own settings file, context and main window. */
class MainFormFixture : public ::testing::Test
{
protected:
    QString settingsFile() const { return m_dir.filePath(QStringLiteral("settings.ini")); }

    TMainForm& start(const std::string& commandLine = {})
    {
        m_context = std::make_unique<AppContext>(std::make_unique<QtSettingsStore>(settingsFile()));
        m_form = std::make_unique<TMainForm>(*m_context);
        m_form->ProcessCommandLine(commandLine);
        m_form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
        QApplication::processEvents();
        return *m_form;
    }

    void stop()
    {
        m_form->close();
        m_form.reset();
        m_context.reset();
    }

    TSpectrumModel& model() { return m_context->Model; }

    QTemporaryDir m_dir;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<TMainForm> m_form;
};

} // namespace velmora::test
