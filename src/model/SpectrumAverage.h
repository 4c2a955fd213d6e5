#pragma once

#include "model/Bands.h"

#include <array>
#include <span>

namespace velmora {

/** A spectrum's levels in dB, slot by slot in the order of its band set. */
using BandLevels = std::array<float, kBandSlots>;

/** How the spectra of a set are averaged band by band. */
enum class MeanKind {
    /** 10 lg of the mean of 10^(L/10): the mean sound energy, for levels. */
    Energetic,
    /** The mean of the levels in dB, for attenuations and corrections. */
    Arithmetic,
};

/**
 * The energetic mean 10 lg((1/n) sum of 10^(L/10)) of n spectra in slots 0 to bandCount - 1 (at
 * most kBandSlots), taken around the band's largest level so that finite levels of any size, however
 * high or low, give a finite mean that lies between the band's lowest and highest level. A band is NaN
 * when one of its levels is NaN or +inf, and -inf when all are -inf: every spectrum adds its energy,
 * so an infinite one leaves no finite mean. Slots from bandCount on, and every slot without spectra, are 0.
 */
BandLevels EnergeticMean(std::span<const BandLevels* const> spectra, int bandCount);

/**
 * The arithmetic mean of the levels in dB, slot by slot as EnergeticMean; NaN where a level is NaN
 * or infinite, 0 for the slots from bandCount on and without spectra. Summed in double, so that the
 * mean of finite levels of any size is finite.
 */
BandLevels ArithmeticMean(std::span<const BandLevels* const> spectra, int bandCount);

/** EnergeticMean or ArithmeticMean. */
BandLevels MeanLevels(std::span<const BandLevels* const> spectra, int bandCount, MeanKind kind);

/**
 * The data type of a mean of spectra of these data types: theirs when they all have the same one,
 * sound pressure levels (0) when they differ or there are none.
 */
int MeanDataType(std::span<const int> dataTypes);

} // namespace velmora
