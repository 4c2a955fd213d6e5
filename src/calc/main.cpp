#include "calc/CalcCommands.h"
#include "calc/RenderHelper.h"
#include "io/FileContents.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    velmora::IgnoreFileSizeSignal();
    // Only drawing needs Qt: `render` and `report` hand the whole command line to the drawing
    // program once its arguments and inputs have been checked, so every other command starts
    // without loading Qt.
    return velmora::RunCalc(std::vector<std::string>(argv + 1, argv + argc), velmora::HelperRunner(argv));
}
