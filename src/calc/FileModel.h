#pragma once

#include "graph/Canvas.h"
#include "graph/GraphSurface.h"
#include "model/SpectrumModel.h"
#include "platform/ImageCanvas.h"

#include <QSize>

#include <string>

namespace velmora {

/** The main window's graph at its default size, in pixels. */
inline constexpr QSize kDefaultGraphSize{446, 313};

/** Largest width or height of a drawn graph, in pixels. */
inline constexpr int kMaxGraphSide = 4096;

/** A control of a fixed client size with nothing on screen to repaint. */
class FixedSizeControl : public CanvasControl
{
public:
    explicit FixedSizeControl(QSize size) : m_size(size) {}

    int ClientWidth() const override { return m_size.width(); }
    int ClientHeight() const override { return m_size.height(); }
    void RepaintNow() override {}

private:
    QSize m_size;
};

/**
 * One spectrum model with its drawing surface over a bitmap of the graph's size, for reading data
 * files one after another. Each file is read as the main window reads a file named on its command
 * line: into a model just set up as at start-up (InitModel, then SetupGraph with all levels at 0).
 * The bitmap is allocated once, however many files are read. Needs a QGuiApplication.
 */
class FileModel
{
public:
    /** graphSize in pixels, 1 to kMaxGraphSide on each side. */
    explicit FileModel(QSize graphSize = kDefaultGraphSize);
    FileModel(const FileModel&) = delete;
    FileModel& operator=(const FileModel&) = delete;

    /**
     * Resets the model to its start-up state and reads the data file into it. False, with the
     * model at its start-up state and reason saying why in a few words, when the file cannot be read.
     */
    bool Read(const std::string& path, std::string& reason);

    TSpectrumModel& Model() { return m_model; }
    GraphSurface& Surface() { return m_surface; }
    /** The bitmap GraphSurface::Redraw draws into, of the graph's size. */
    const QImage& Image() const { return m_canvas.image(); }

private:
    void Reset();

    FixedSizeControl m_control;
    ImageCanvas m_canvas;
    TSpectrumModel m_model;
    GraphSurface m_surface{m_model};
};

} // namespace velmora
