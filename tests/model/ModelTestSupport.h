#pragma once

#include "model/Bands.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

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

/**
 * A recalculated model on a random band set with random levels in both spectra, data types,
 * highlight mode and current node; the levels on the 0.1 dB grid from 0 to 119.9 dB when tenths,
 * else of any fraction from -20 to 130 dB.
 */
inline TSpectrumModel RandomModel(std::mt19937& random, bool tenths)
{
    std::uniform_real_distribution<float> fraction(-20.0f, 130.0f);
    const auto level = [&] {
        return tenths ? static_cast<float>(static_cast<int>(random() % 1200) / 10.0) : fraction(random);
    };
    TSpectrumModel model = Spectrum(random() % 2 ? BandSet::Third : BandSet::Octave, 0.0f);
    for (int k = 0; k < kBandSlots; ++k) {
        model.Nodes.Node[k].Y = level();
        model.OtherLevels[k] = level();
    }
    model.Nodes.DataType = static_cast<int>(random() % 4);
    model.OtherDataType = static_cast<int>(random() % 4);
    model.HighlightMode = static_cast<int>(random() % 9);
    model.Nodes.Current = static_cast<int>(random() % model.Nodes.Count);
    Recalculate(model);
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

/** The STC (E413) contour at 125 Hz to 4000 Hz (from slot 4), dB relative to its 500 Hz value. */
inline constexpr std::array<int, 16> kE413Contour = {-16, -13, -10, -7, -4, -1, 0, 1, 2, 3, 4, 4, 4, 4, 4, 4};
/** The impact contour, and the Ln,w reference curve's shape, at 100 Hz to 3150 Hz (from slot 3), relative to
 * 500 Hz. */
inline constexpr std::array<int, 16> kImpactContour = {2,  2,  2,  2,  2,  2,   1,   0,
                                                       -1, -2, -3, -6, -9, -12, -15, -18};
/** The Rw reference curve at 100 Hz to 3150 Hz (from slot 3), dB: it rates Rw 54 itself. */
inline constexpr std::array<int, 16> kRwCurve = {33, 36, 39, 42, 45, 48, 51, 52,
                                                 53, 54, 55, 56, 56, 56, 56, 56};
/** The bare floor of the impact rating's worked example, 100 Hz to 3150 Hz: Ln,w 79 (CI -11). */
inline constexpr std::array<float, 16> kBareFloor = {62.1f, 63.2f, 63.5f, 66.2f, 68.5f, 70.0f, 71.7f, 73.1f,
                                                     73.8f, 73.5f, 73.8f, 73.3f, 73.1f, 73.0f, 72.4f, 71.2f};

/** Third-octave slots with `curve` from slot `first` on, moved up by `at` dB; `elsewhere` in the other slots.
 */
template <typename T>
std::array<float, kBandSlots> OnCurve(const std::array<T, 16>& curve, int first, float at = 0.0f,
                                      float elsewhere = 0.0f)
{
    std::array<float, kBandSlots> levels{};
    levels.fill(elsewhere);
    for (std::size_t j = 0; j < curve.size(); ++j)
        levels[first + j] = static_cast<float>(curve[j]) + at;
    return levels;
}

/** True when the edited data of a and b are the same bits, every slot and field. */
inline bool SameData(const SpectrumData& a, const SpectrumData& b)
{
    const auto bits = [](const SpectrumData& d) {
        std::vector<std::uint32_t> out;
        for (const TNode& node : d.Nodes.Node)
            out.insert(out.end(),
                       {std::bit_cast<std::uint32_t>(node.X), std::bit_cast<std::uint32_t>(node.Y)});
        for (float level : d.OtherLevels)
            out.push_back(std::bit_cast<std::uint32_t>(level));
        for (int value : {d.Nodes.Count, d.Nodes.Current, d.Nodes.DataType, d.Reserved, d.OtherDataType,
                          d.BandStart, d.BandStep})
            out.push_back(static_cast<std::uint32_t>(value));
        return out;
    };
    return bits(a) == bits(b);
}

/** The single numbers of a ratings value as bits, NaN included. */
inline std::vector<std::uint64_t> RatingBits(const SpectrumRatings& r)
{
    std::vector<std::uint64_t> bits;
    for (double value :
         {r.weighted[0], r.weighted[1], r.weighted[2], r.weighted[3], r.noise.NR, r.transmission.STC,
          r.transmission.deficiencySum, r.reduction.Rw, r.reduction.C, r.reduction.Ctr})
        bits.push_back(std::bit_cast<std::uint64_t>(value));
    return bits;
}

/** Two models the same in every bit: data, view, results and ratings. */
inline bool SameModel(const TSpectrumModel& a, const TSpectrumModel& b)
{
    const auto view = [](const SpectrumView& v) {
        return std::vector<std::uint32_t>{
            std::bit_cast<std::uint32_t>(v.MinLevel), std::bit_cast<std::uint32_t>(v.MaxLevel),
            std::bit_cast<std::uint32_t>(v.LevelIncrement), static_cast<std::uint32_t>(v.HighlightMode),
            static_cast<std::uint32_t>(v.ShownCurve)};
    };
    const auto results = [](const SpectrumResults& r) {
        std::vector<std::uint32_t> bits;
        for (float value : r.Results)
            bits.push_back(std::bit_cast<std::uint32_t>(value));
        for (float value :
             {r.WeightedLevel[0], r.WeightedLevel[1], r.WeightedLevel[2], r.WeightedLevel[3], r.STC, r.NR})
            bits.push_back(std::bit_cast<std::uint32_t>(value));
        return bits;
    };
    return SameData(a, b) && view(a) == view(b) && results(a) == results(b) &&
           RatingBits(a.Ratings) == RatingBits(b.Ratings);
}

} // namespace velmora::test
