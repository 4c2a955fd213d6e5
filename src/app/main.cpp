#include "app/AppContext.h"
#include "app/MainForm.h"
#include "platform/QtSettingsStore.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

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

std::string CommandLineText(int argc, char** argv)
{
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            text += ' ';
        text += argv[i];
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "velmora: no display found (DISPLAY is not set); run it from a desktop session\n");
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pellinor"));
    QApplication::setApplicationName(QStringLiteral("Brevalis"));
    try {
        velmora::AppContext context(std::make_unique<velmora::QtSettingsStore>());
        velmora::TMainForm mainForm(context);
        mainForm.ProcessCommandLine(CommandLineText(argc, argv));
        mainForm.show();
        return application.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Velmora"), QString::fromLocal8Bit(error.what()));
        return 0;
    }
}
