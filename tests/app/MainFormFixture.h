#pragma once

#include "app/DocumentFiles.h"
#include "app/GraphExport.h"
#include "app/GraphInput.h"
#include "app/MainActions.h"
#include "app/MainForm.h"
#include "app/RecoveryFile.h"
#include "app/SpectrumDocument.h"
#include "edit/AppContext.h"
#include "platform/ImageCanvas.h"
#include "platform/LocalPath.h"
#include "platform/QtSettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace velmora::test {

/**
 * Runs action on the next modal window (dialog or message box) once it is up, from inside its
 * event loop; the action must close it.
 */
inline void OnNextModal(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

/** A fresh program for each test: its own settings file, context and main window. */
class MainFormFixture : public ::testing::Test
{
protected:
    QString settingsFile() const { return m_dir.filePath(QStringLiteral("settings.ini")); }

    TMainForm& start(const std::string& commandLine = {})
    {
        m_context = std::make_unique<AppContext>(std::make_unique<QtSettingsStore>(settingsFile()));
        m_form = std::make_unique<TMainForm>(*m_context);
        // Each test keeps its unsaved work apart from the user's and from the other tests'.
        m_form->Recovery().SetFolder(recoveryFolder());
        m_form->ProcessCommandLine(commandLine);
        m_form->show();
        // Shortcuts and key preview need the window active, which offscreen does not always make it.
        QApplication::setActiveWindow(m_form.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
        QApplication::processEvents();
        return *m_form;
    }

    /** Shows a window without a modal loop and makes it the active one, as offscreen does not. */
    static void showActive(QWidget& window)
    {
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    /** Writes bytes into a file of the test's own folder and returns its path. */
    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QString recoveryFolder() const { return m_dir.filePath(QStringLiteral("recovery")); }

    /** Closes the window, dropping any unsaved changes. */
    void stop()
    {
        if (m_form->isWindowModified())
            OnNextModal([](QWidget* modal) {
                if (auto* box = qobject_cast<QMessageBox*>(modal))
                    box->button(QMessageBox::Discard)->click();
            });
        m_form->close();
        m_form.reset();
        m_context.reset();
    }

    TSpectrumModel& model() { return m_context->Model; }

    /** Where a key typed at the window arrives: the widget with the keyboard focus (the graph at first). */
    QWidget* keyTarget()
    {
        QWidget* focus = QApplication::focusWidget();
        return focus && focus->window() == m_form.get() ? focus : m_form.get();
    }

    /** The data type (0 to 3) as the node menu sets it: an edit of the document. */
    void setType(int type)
    {
        static const char* const items[] = {"DataType1", "DataType2", "DataType3", "DataType4"};
        m_form->Actions().Find(items[type])->trigger();
    }

    /** The pixel of node k of the edited spectrum, where a press picks it. */
    QPoint nodePixel(int k)
    {
        const TNode node = model().Nodes.Node[k];
        const TPoint2D p = m_context->Surface.WorldToPixel(node.X, node.Y);
        return {static_cast<int>(p.x), static_cast<int>(p.y)};
    }

    /** The drawing area of the bitmap as it stands. */
    QImage picture()
    {
        const Draw2DClass& surface = m_context->Surface;
        return m_form->GraphImage().image().copy(0, 0, surface.Width, surface.Height);
    }

    /** The drawing area as a full repaint of the current state draws it. */
    QImage freshPicture()
    {
        m_form->Redraw();
        return picture();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<TMainForm> m_form;
};

} // namespace velmora::test
