#include "calc/CalcCommands.h"
#include "calc/RenderHelper.h"
#include "io/FileContents.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    velmora::IgnoreFileSizeSignal();
    // Only drawing needs Qt: `render` hands the whole command line to the drawing program once its
    // arguments and input have been checked, so every other command starts without loading Qt.
    const auto renderInHelper = [argv](const velmora::RenderRequest&, velmora::TSpectrumModel&) {
        return velmora::RunRenderHelper(argv);
    };
    return velmora::RunCalc(std::vector<std::string>(argv + 1, argv + argc), renderInHelper);
}
