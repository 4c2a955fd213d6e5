#pragma once

#include "edit/GraphSetup.h"
#include "graph/Draw2D.h"
#include "graph/RecordingCanvas.h"
#include "model/SpectrumModel.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace velmora::test {

/** The program's graph on a 446 x 313 area with "W" measuring 11 x 14: start-up model, nine octave nodes at 0
 * dB. */
struct GraphFixture : ::testing::Test {
    using Pixel = std::pair<int, int>;

    void SetUp() override
    {
        InitModel(model);
        surface.SetCanvas(&canvas, &control);
        SetupGraph(model, surface, true);
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto& call : canvas.texts)
            texts.push_back(call.text);
        return texts;
    }

    /** The pixel a primitive hands the canvas for a world point. */
    Pixel PixelOf(float x, float y) const
    {
        const TPoint2D p = surface.WorldToPixel(x, y);
        return {Draw2DClass::PixelToInt(p.x), Draw2DClass::PixelToInt(p.y)};
    }

    void ExpectSegment(std::size_t i, Pixel from, Pixel to) const
    {
        ASSERT_LT(i, canvas.lines.size());
        const auto& s = canvas.lines[i];
        EXPECT_EQ(std::make_pair(s.x1, s.y1), from) << "line " << i;
        EXPECT_EQ(std::make_pair(s.x2, s.y2), to) << "line " << i;
    }

    /** True when a line was drawn between the two world points, in either direction. */
    bool HasSegment(float x1, float y1, float x2, float y2) const
    {
        const Pixel a = PixelOf(x1, y1);
        const Pixel b = PixelOf(x2, y2);
        for (const auto& s : canvas.lines) {
            const Pixel from{s.x1, s.y1};
            const Pixel to{s.x2, s.y2};
            if ((from == a && to == b) || (from == b && to == a))
                return true;
        }
        return false;
    }

    TSpectrumModel model;
    RecordingCanvas canvas;
    FixedControl control{446, 313};
    Draw2DClass surface;
};

} // namespace velmora::test
