#pragma once

#include "model/Bands.h"
#include "model/ResultView.h"
#include "model/SpectrumModel.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
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

/** Third-octave levels on the 0.1 dB grid, with the whole tenths they were made from. */
struct TenthsSpectrum {
    std::array<int, kBandCount> tenths{};
    std::array<float, kBandCount> levels{};
};

/**
 * Random tenths from low to low + spread - 1 (in tenths of a dB) in every band; run through the
 * spreads, from a few tenths to wider than any rating curve, by varying spread with the trial.
 */
inline TenthsSpectrum RandomTenths(std::minstd_rand& random, int low, int spread)
{
    TenthsSpectrum spectrum;
    for (int band = 0; band < kBandCount; ++band) {
        spectrum.tenths[band] = low + static_cast<int>(random() % static_cast<unsigned>(spread));
        spectrum.levels[band] = static_cast<float>(spectrum.tenths[band] / 10.0);
    }
    return spectrum;
}

/** Keeps the last texts written. */
class RecordingView : public ResultView
{
public:
    void SetStatusText(const std::string& text) override { status = text; }
    void SetResultText(const std::string& text) override { result = text; }

    std::string status = "untouched";
    std::string result = "untouched";
};

} // namespace velmora::test
