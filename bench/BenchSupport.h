#pragma once

#include "app/MainForm.h"
#include "edit/AppContext.h"
#include "edit/GraphSetup.h"
#include "edit/NodeEditing.h"
#include "graph/Canvas.h"
#include "graph/GraphSurface.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "platform/ImageCanvas.h"
#include "platform/VectorState.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace velmora::bench {

/** Fonts and the palette need an application; one offscreen instance serves every benchmark of a program. */
inline void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "velmora-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: at exit Qt's own statics may already be gone, and tearing down after them crashes.
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
}

/** A control of a fixed client size that never repaints. */
class SizedControl : public CanvasControl
{
public:
    SizedControl(int width, int height) : m_width(width), m_height(height) {}
    int ClientWidth() const override { return m_width; }
    int ClientHeight() const override { return m_height; }
    void RepaintNow() override {}

private:
    int m_width;
    int m_height;
};

/**
 * The graph of a third-octave spectrum on the real canvas, set up as the main window does for a
 * graph panel of width x height logical pixels on a screen of ratio device pixels per pixel.
 */
struct ThirdOctaveGraph {
    ThirdOctaveGraph(int width, int height, int ratio = 1)
        : canvas(QSize(width * ratio, height * ratio)), control(width * ratio, height * ratio)
    {
        canvas.setPixelRatio(ratio);
        InitModel(model);
        model.BandStart = kThirdBandStart;
        model.BandStep = kThirdBandStep;
        surface.SetCanvas(&canvas, &control);
        SetupGraph(model, surface, true);
    }

    /** Fonts need the application before the canvas exists. */
    bool ready = (EnsureApplication(), true);
    ImageCanvas canvas;
    SizedControl control;
    TSpectrumModel model;
    GraphSurface surface{model};
};

/**
 * The main window, shown, on a third-octave spectrum of varied levels with the NR curves over it:
 * what the benches of the graph's ways out take from it.
 */
struct ThirdOctaveWindow {
    ThirdOctaveWindow()
    {
        form.ProcessCommandLine("-third");
        form.show();
        QApplication::processEvents();
        for (int k = 0; k < context.Model.Nodes.Count; ++k)
            context.Model.Nodes.Node[k].Y = 40.0f + (k % 7) * 5.0f;
        Recalculate(context.Model);
        ShowHighlight(context.Model, context.Surface, HighlightNR);
    }

    bool ready = (EnsureApplication(), true);
    AppContext context{std::make_unique<MemorySettingsStore>()};
    TMainForm form{context};
};

/**
 * Times pointer moves of a node drag as the window runs them: clear the vector registers' upper
 * halves (its event filter does so before every event), move the node, recalculate. The node is
 * band 13 (1 kHz, mid-graph); the pointer alternates between two rows well inside the graph, so
 * every step moves the node and its segments.
 */
inline void RunDragSteps(benchmark::State& state, TSpectrumModel& model, GraphSurface& surface,
                         const ImageCanvas& canvas)
{
    SelectNode(model, surface, 13);
    const int px = static_cast<int>(surface.WorldToPixel(model.Nodes.Node[13].X, 0.0f).x);
    const int rows[] = {60 * surface.PixelScale(), 240 * surface.PixelScale()};
    int step = 0;
    for (auto _ : state) {
        ClearUpperVectorState();
        DragCurrentNode(model, surface, px, rows[step++ & 1]);
        Recalculate(model);
        benchmark::DoNotOptimize(model.WeightedLevel.data());
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

} // namespace velmora::bench
