#include "calc/CalcCommands.h"
#include "calc/GraphRender.h"
#include "calc/ReportRender.h"
#include "io/FileContents.h"

#include <QGuiApplication>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

namespace {

/**
 * Qt's warnings are about a desktop session this tool does not use (no runtime directory, no
 * display); only its critical messages belong on a batch run's standard error.
 */
void ReportQtMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "velmora-calc: %s\n", qPrintable(message));
}

} // namespace

/** The drawing half of velmora-calc: the same command line, with the window's drawing code. */
int main(int argc, char** argv)
{
    velmora::IgnoreFileSizeSignal();
    // The graph's fonts need a GUI application, and a batch tool must never need a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(ReportQtMessage);
    // Qt takes out arguments it knows (such as -platform); the commands' arguments stay as given.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication application(qtArgc, qtArgv);
    // Qt takes the user's locale; the system's reasons ("No such file or directory") stay in the
    // words velmora-calc itself gives them, whichever half reports a file.
    std::setlocale(LC_MESSAGES, "C");
    return velmora::RunCalc(std::vector<std::string>(argv + 1, argv + argc),
                            {velmora::RenderToFile, velmora::WriteReport});
}
