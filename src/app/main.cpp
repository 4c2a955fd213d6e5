#include "app/MainForm.h"
#include "edit/AppContext.h"
#include "io/FileContents.h"
#include "platform/CanvasWidget.h"
#include "platform/ProcessMemory.h"
#include "platform/QtSettingsStore.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

// Qt aborts with a long message when no display can be opened; say it in one line instead.
bool DisplayAvailable()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform && std::string(platform) != "xcb" && std::string(platform) != "wayland")
        return true;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
}

/** The variables that choose the display, as "NAME=value" for those that are set. */
std::string DisplayVariables()
{
    std::string text;
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            text += (text.empty() ? "" : ", ") + std::string(name) + "=" + value;
    }
    return text;
}

/**
 * Qt ends the program with a page of advice when the display cannot be opened (a DISPLAY where no
 * server answers, say). While QApplication starts, its messages are held back: a fatal one after
 * one that says the display could not be reached becomes one line on standard error; any other
 * fatal one is passed on in the platform layer's own words, after what it said before, which
 * names the cause (a platform plugin that is missing, say). Either ends the program with exit
 * status 1. Once the application has started, the held messages are passed on in order.
 */
class StartupMessages
{
public:
    StartupMessages() { s_previous = qInstallMessageHandler(Hold); }
    ~StartupMessages()
    {
        qInstallMessageHandler(s_previous);
        const std::lock_guard lock(s_mutex);
        PassOnHeld();
    }
    StartupMessages(const StartupMessages&) = delete;
    StartupMessages& operator=(const StartupMessages&) = delete;

private:
    struct Held {
        QtMsgType type;
        QByteArray file;
        QByteArray function;
        QByteArray category;
        int line;
        QString text;
    };

    static void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        const std::lock_guard lock(s_mutex);
        if (type == QtFatalMsg)
            Fail(text);
        s_held.push_back({type, context.file, context.function, context.category, context.line, text});
    }

    /** Words of the platform plugins (X11, Wayland) for a display server that does not answer. */
    static bool SaysTheDisplayIsUnreachable(const QString& text)
    {
        return text.contains(QLatin1String("could not connect to display"), Qt::CaseInsensitive) ||
               text.contains(QLatin1String("Failed to create wl_display"));
    }

    /** Ends the program for the fatal message text; s_mutex is held. */
    [[noreturn]] static void Fail(const QString& text)
    {
        if (std::any_of(s_held.begin(), s_held.end(),
                        [](const Held& message) { return SaysTheDisplayIsUnreachable(message.text); })) {
            std::fprintf(stderr, "velmora: cannot open the display (%s); run it from a desktop session\n",
                         DisplayVariables().c_str());
            std::_Exit(1);
        }
        PassOnHeld();
        std::fprintf(stderr, "velmora: the platform layer could not start: %s\n",
                     text.trimmed().toLocal8Bit().constData());
        std::_Exit(1);
    }

    /** Passes the held messages on in order; s_mutex is held. */
    static void PassOnHeld()
    {
        for (const Held& message : s_held) {
            const QMessageLogContext context(message.file.constData(), message.line,
                                             message.function.constData(), message.category.constData());
            s_previous(message.type, context, message.text);
        }
        s_held.clear();
    }

    static inline QtMessageHandler s_previous = nullptr;
    static inline std::mutex s_mutex;
    static inline std::vector<Held> s_held;
};

std::vector<std::string> Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

/**
 * For the start-up benchmark: when VELMORA_REPORT_FIRST_PAINT is set, the first paint of the
 * graph prints one line with the resident memory and ends the program.
 */
class FirstPaintReport : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QTimer::singleShot(0, [] {
                std::printf("first paint, rss %ld kB\n", velmora::ResidentKilobytes());
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char** argv)
{
    velmora::IgnoreFileSizeSignal();
    if (!DisplayAvailable()) {
        std::fprintf(stderr,
                     "velmora: no display found (DISPLAY is not set); run it from a desktop session\n");
        return 1;
    }
    auto startupMessages = std::make_unique<StartupMessages>();
    QApplication application(argc, argv);
    startupMessages.reset();
    QApplication::setOrganizationName(QStringLiteral("Pellinor"));
    QApplication::setApplicationName(QStringLiteral("Brevalis"));
    // Lets desktops match the window to its desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("velmora"));
    try {
        velmora::AppContext context(std::make_unique<velmora::QtSettingsStore>());
        velmora::TMainForm mainForm(context);
        FirstPaintReport firstPaint;
        if (qEnvironmentVariableIsSet("VELMORA_REPORT_FIRST_PAINT"))
            mainForm.GraphControl().installEventFilter(&firstPaint);
        mainForm.ProcessArguments(Arguments(argc, argv));
        mainForm.show();
        // Once the window is up: the work an earlier run left unsaved, if it did not end cleanly.
        QTimer::singleShot(0, &mainForm, [&mainForm] { mainForm.OfferRecovery(); });
        return application.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Velmora"), QString::fromLocal8Bit(error.what()));
        return 0;
    }
}
