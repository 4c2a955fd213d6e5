#include "model/ResultTexts.h"

#include "entry/NumberText.h"
#include "model/SpectrumModel.h"
#include "model/Weighting.h"

#include <cmath>

namespace velmora {

namespace {

/** value as "%0.Nf" prints it in the "C" locale; "-" for NaN or infinity. */
std::string Fixed(double value, int decimals)
{
    return std::isfinite(value) ? FixedText(value, decimals) : "-";
}

} // namespace

std::string StatusText(const TSpectrumModel& model)
{
    if (!ValidNode(model, model.Nodes.Current))
        return {};
    const TNode& node = model.Nodes.Node[model.Nodes.Current];
    std::string text = " ";
    text += Fixed(AbscissaFrequency(node.X), 0);
    text += "Hz = ";
    text += Fixed(node.Y, 1);
    text += "dB";
    return text;
}

std::string ResultText(const TSpectrumModel& model)
{
    switch (model.Nodes.DataType) {
    case PressureLevels:
    case PowerLevels: {
        static constexpr const char* kLabels[] = {" dBA: ", ", dBB: ", ", dBC: ", ", dBD: "};
        std::string text;
        for (int w = WeightA; w <= WeightD; ++w) {
            text += kLabels[w];
            text += Fixed(model.Ratings.weighted[w], 1);
        }
        text += ", NR: ";
        text += Fixed(model.Ratings.noise.NR, 1);
        return text;
    }
    case CorrectionFactors:
        return " Correction Factor Graph";
    default:
        return std::string(" Sound Transmission Class (STC): ") + Fixed(model.Ratings.transmission.STC, 1);
    }
}

std::string DataTypeCaption(int dataType)
{
    static constexpr const char* kCaptions[] = {"Pressure Levels", "Power/Intensity Levels",
                                                "Attenuation Levels", "Correction Factors"};
    return IsDataType(dataType) ? kCaptions[dataType] : "Data Type " + std::to_string(dataType);
}

std::string BandSetCaption(const TSpectrumModel& model)
{
    switch (BandSetOf(model)) {
    case BandSet::Octave:
        return "Full Octave Bands";
    case BandSet::Third:
        return "Third Octave Bands";
    default:
        return "Unknown Bands";
    }
}

} // namespace velmora
