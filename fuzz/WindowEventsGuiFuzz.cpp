// Random sequences of pointer presses, moves and releases, keys with modifiers, menu commands,
// buttons and resizes, fed to the offscreen main window. After each sequence the model must
// hold its invariants and the bitmap must equal a fresh full redraw, apart from the opaque
// cells of overlay labels, which lines drawn later may legitimately cross.

#include "app/MainForm.h"
#include "edit/AppContext.h"
#include "edit/GraphSetup.h"
#include "graph/SpectrumPlot.h"
#include "io/Settings.h"
#include "model/Bands.h"
#include "platform/CanvasWidget.h"
#include "platform/ImageCanvas.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using namespace velmora;

/** Records where text lands, measuring it as the graph's canvas does; draws nothing. */
class TextCells : public Canvas2D
{
public:
    explicit TextCells(ImageCanvas& measure) : m_measure(measure) {}
    void SetPen(Colour, PenStyle, int) override {}
    void SetBrush(Colour, BrushStyle) override {}
    RasterMode SetRasterMode(RasterMode mode) override { return mode; }
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void FillRect(int, int, int, int) override {}
    void InvertRect(int, int, int, int) override {}
    void TextOut(int x, int y, const std::string& text) override
    {
        const TextSize size = m_measure.TextExtent(text);
        cells.emplace_back(x, y, size.width, size.height);
    }
    TextSize TextExtent(const std::string& text) override { return m_measure.TextExtent(text); }

    std::vector<QRect> cells;

private:
    ImageCanvas& m_measure;
};

struct Program {
    Program()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "WindowEventsGuiFuzz";
        static char* argv[] = {name, nullptr};
        application = new QApplication(argc, argv);
        context = new AppContext(std::make_unique<MemorySettingsStore>());
        form = new TMainForm(*context);
        form->show();
        QApplication::setActiveWindow(form);
        QApplication::processEvents();
    }
    QApplication* application;
    AppContext* context;
    TMainForm* form;
};

Program& TheProgram()
{
    static Program program;
    return program;
}

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

/** The drawing area of the bitmap, with the given cells painted out. */
QImage Masked(const QImage& image, const Draw2DClass& surface, const std::vector<QRect>& cells)
{
    QImage area = image.copy(0, 0, surface.Width, surface.Height);
    for (const QRect& cell : cells)
        for (int y = std::max(cell.top(), 0); y <= std::min(cell.bottom(), area.height() - 1); ++y)
            for (int x = std::max(cell.left(), 0); x <= std::min(cell.right(), area.width() - 1); ++x)
                area.setPixel(x, y, 0);
    return area;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Program& program = TheProgram();
    TMainForm& form = *program.form;
    TSpectrumModel& model = program.context->Model;
    CanvasWidget* canvas = form.findChild<CanvasWidget*>(QStringLiteral("GraphCanvas"));

    // Each sequence starts from the program's start-up state.
    InitModel(model);
    form.resize(448, 432);
    SetupGraph(model, program.context->Surface, true);
    form.Redraw();

    QAction* const commands[] = {form.findChild<QAction*>(QStringLiteral("SwapSpectra1")),
                                 form.findChild<QAction*>(QStringLiteral("dBAWeighting1")),
                                 form.findChild<QAction*>(QStringLiteral("dBBWeighting1")),
                                 form.findChild<QAction*>(QStringLiteral("dBCWeighting1")),
                                 form.findChild<QAction*>(QStringLiteral("dBDWeighting1")),
                                 form.findChild<QAction*>(QStringLiteral("Results1")),
                                 form.findChild<QAction*>(QStringLiteral("SafeWorkingLevels1")),
                                 form.findChild<QAction*>(QStringLiteral("SoundTransmissionClass1")),
                                 form.findChild<QAction*>(QStringLiteral("NoiseRatingsLines1")),
                                 form.findChild<QAction*>(QStringLiteral("ThirdOctaveBands")),
                                 form.findChild<QAction*>(QStringLiteral("FullOctaveBands")),
                                 form.findChild<QAction*>(QStringLiteral("ApplyResults1")),
                                 form.findChild<QAction*>(QStringLiteral("DataType1")),
                                 form.findChild<QAction*>(QStringLiteral("DataType2")),
                                 form.findChild<QAction*>(QStringLiteral("DataType3")),
                                 form.findChild<QAction*>(QStringLiteral("DataType4")),
                                 form.findChild<QAction*>(QStringLiteral("SwapSpectraB"))};
    QToolButton* const buttons[] = {form.findChild<QToolButton*>(QStringLiteral("ZoomInButton")),
                                    form.findChild<QToolButton*>(QStringLiteral("FitButton")),
                                    form.findChild<QToolButton*>(QStringLiteral("ZoomOutButton"))};
    const Qt::Key keys[] = {Qt::Key_Left,     Qt::Key_Right, Qt::Key_Up,  Qt::Key_Down, Qt::Key_PageUp,
                            Qt::Key_PageDown, Qt::Key_Home,  Qt::Key_End, Qt::Key_Plus, Qt::Key_Minus,
                            Qt::Key_Equal,    Qt::Key_A,     Qt::Key_Z,   Qt::Key_Y};
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
                                               Qt::ControlModifier | Qt::ShiftModifier, Qt::KeypadModifier};

    GraphSurface& surface = program.context->Surface;
    std::size_t i = 0;
    const auto next = [&]() -> std::uint8_t { return i < size ? data[i++] : 0; };
    while (i < size) {
        std::uint8_t op = next() % 9;
        const QPoint at(next() * 2, next() * 2);
        // While a button drags, the pointer holds the window: it moves, or that button lets go.
        // Other input in between (a second button, a command that redraws) may leave the quick
        // picture of a view drag or a hidden overlay until the next full redraw, by design.
        if (surface.DragButton == kDragNode && op != 1)
            op = 2;
        else if (surface.DragButton == kDragView && op != 1)
            op = 4;
        switch (op) {
        case 0:
            QTest::mousePress(canvas, Qt::LeftButton, {}, at);
            break;
        case 1:
            QTest::mouseMove(canvas, at);
            break;
        case 2:
            QTest::mouseRelease(canvas, Qt::LeftButton, {}, at);
            break;
        case 3:
            QTest::mousePress(canvas, Qt::RightButton, {}, at);
            form.findChild<QMenu*>(QStringLiteral("PtsMenu"))->hide();
            break;
        case 4:
            QTest::mouseRelease(canvas, Qt::RightButton, {}, at);
            break;
        case 5:
            QTest::keyClick(&form, keys[at.x() % std::size(keys)], modifiers[at.y() % std::size(modifiers)]);
            break;
        case 6:
            commands[at.x() % std::size(commands)]->trigger();
            break;
        case 7:
            buttons[at.x() % std::size(buttons)]->click();
            break;
        default:
            form.resize(300 + at.x(), 200 + at.y());
            QApplication::processEvents();
            break;
        }
    }
    // End any drag the sequence left open, as the user letting go would.
    if (surface.DragButton == kDragNode)
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(0, 0));
    else if (surface.DragButton == kDragView)
        QTest::mouseRelease(canvas, Qt::RightButton, {}, QPoint(0, 0));

    Check(IsConsistent(model));
    TextCells labels(form.GraphImage());
    surface.ExportMode = true;
    surface.SetCanvas(&labels, nullptr);
    DrawGraph(model, surface);
    surface.ExportMode = false;
    surface.SetCanvas(&form.GraphImage(), canvas);
    const QImage edited = Masked(form.GraphImage().image(), surface, labels.cells);
    form.Redraw();
    Check(edited == Masked(form.GraphImage().image(), surface, labels.cells));
    return 0;
}
