#pragma once

#include "graph/Canvas.h"

#include <QApplication>

namespace velmora::bench {

/** Fonts and the palette need an application; one offscreen instance serves every benchmark of a program. */
inline void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "velmora-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
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

} // namespace velmora::bench
