#pragma once

#include "model/Bands.h"
#include "model/SpectrumModel.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora::test {

/** A model on the band set with every node at its band abscissa and at level dB, node 0 current. */
inline TSpectrumModel Spectrum(BandSet set, float level)
{
    TSpectrumModel model;
    InitModel(model);
    model.BandStart = set == BandSet::Octave ? kOctaveBandStart : kThirdBandStart;
    model.BandStep = set == BandSet::Octave ? kOctaveBandStep : kThirdBandStep;
    model.Nodes.Count = BandCount(model.BandStart, model.BandStep);
    for (int k = 0; k < model.Nodes.Count; ++k)
        model.Nodes.Node[k] = {BandAbscissa(BandFrequency[BandIndexOfSlot(model, k)]), level};
    model.Nodes.Current = 0;
    return model;
}

/** Sets the level of the band at frequencyHz, which must belong to the model's band set. */
inline void SetBandLevel(TSpectrumModel& model, float frequencyHz, float level)
{
    for (int k = 0; k < model.Nodes.Count; ++k) {
        if (BandFrequency[BandIndexOfSlot(model, k)] == frequencyHz) {
            model.Nodes.Node[k].Y = level;
            return;
        }
    }
    ADD_FAILURE() << frequencyHz << " Hz is not a band of the set";
}

} // namespace velmora::test
