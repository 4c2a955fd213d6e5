#include "model/ComparisonSet.h"

#include "model/SpectrumModel.h"
#include "model/SpectrumOperations.h"
#include "model/StoredLevel.h"

#include <algorithm>

namespace velmora {

BandLevels ConvertBandLevels(const BandLevels& levels, BandSet from, BandSet to)
{
    if (from == to || from == BandSet::Unknown || to == BandSet::Unknown)
        return levels;
    // The band commands convert the model's spectra; a scratch model carries these levels through
    // the very same steps.
    TSpectrumModel scratch;
    scratch.BandStart = BandStartOf(from);
    scratch.BandStep = BandStepOf(from);
    for (int k = 0; k < kBandSlots; ++k)
        scratch.Nodes.Node[k].Y = levels[k];
    if (to == BandSet::Third)
        ConvertToThirdOctave(scratch);
    else
        ConvertToFullOctave(scratch);
    BandLevels converted{};
    for (int k = 0; k < BandCountOf(to); ++k)
        converted[k] = scratch.Nodes.Node[k].Y;
    return converted;
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void ComparisonSet::Update(ComparedSpectrum& spectrum) const
{
    spectrum.levels = ConvertBandLevels(spectrum.sourceLevels, spectrum.sourceBands, m_bands);
    spectrum.ratings = RateSpectrum(std::span(spectrum.levels.data(), BandCountOf(m_bands)),
                                    BandStartOf(m_bands), BandStepOf(m_bands));
}

std::string ComparisonSet::UniqueName(const std::string& name) const
{
    const auto taken = [this](const std::string& candidate) {
        return std::any_of(m_spectra.begin(), m_spectra.end(),
                           [&](const ComparedSpectrum& s) { return s.name == candidate; });
    };
    std::string unique = name;
    for (int n = 2; taken(unique); ++n)
        unique = name + " (" + std::to_string(n) + ")";
    return unique;
}

int ComparisonSet::FreeStyle() const
{
    int style = 0;
    while (std::any_of(m_spectra.begin(), m_spectra.end(),
                       [style](const ComparedSpectrum& s) { return s.style == style; }))
        ++style;
    return style;
}

int ComparisonSet::Add(const std::string& path, const BandLevels& sourceLevels, BandSet sourceBands,
                       int dataType)
{
    if (m_spectra.size() >= kMaxSpectra || sourceBands == BandSet::Unknown)
        return -1;
    ComparedSpectrum spectrum;
    spectrum.name = UniqueName(FileNameOf(path));
    spectrum.path = path;
    spectrum.sourceLevels = sourceLevels;
    spectrum.sourceBands = sourceBands;
    spectrum.dataType = IsDataType(dataType) ? dataType : PressureLevels;
    spectrum.style = FreeStyle();
    Update(spectrum);
    m_spectra.push_back(std::move(spectrum));
    ++m_revision;
    return static_cast<int>(m_spectra.size()) - 1;
}

bool ComparisonSet::Remove(std::size_t i)
{
    if (i >= m_spectra.size())
        return false;
    m_spectra.erase(m_spectra.begin() + static_cast<std::ptrdiff_t>(i));
    ++m_revision;
    return true;
}

void ComparisonSet::Clear()
{
    m_spectra.clear();
    ++m_revision;
}

bool ComparisonSet::SetShown(std::size_t i, bool shown)
{
    if (i >= m_spectra.size() || m_spectra[i].shown == shown)
        return false;
    m_spectra[i].shown = shown;
    ++m_revision;
    return true;
}

bool ComparisonSet::SetAllShown(bool shown)
{
    bool changed = false;
    for (std::size_t i = 0; i < m_spectra.size(); ++i)
        changed = SetShown(i, shown) || changed;
    return changed;
}

void ComparisonSet::FollowBands(BandSet bands)
{
    if (bands == m_bands || bands == BandSet::Unknown)
        return;
    m_bands = bands;
    for (ComparedSpectrum& spectrum : m_spectra)
        Update(spectrum);
    ++m_revision;
}

std::vector<const BandLevels*> ComparisonSet::ShownLevels() const
{
    std::vector<const BandLevels*> levels;
    for (const ComparedSpectrum& spectrum : m_spectra)
        if (spectrum.shown)
            levels.push_back(&spectrum.levels);
    return levels;
}

std::vector<int> ComparisonSet::ShownDataTypes() const
{
    std::vector<int> types;
    for (const ComparedSpectrum& spectrum : m_spectra)
        if (spectrum.shown)
            types.push_back(spectrum.dataType);
    return types;
}

std::size_t ComparisonSet::ShownCount() const
{
    return static_cast<std::size_t>(
        std::count_if(m_spectra.begin(), m_spectra.end(), [](const ComparedSpectrum& s) { return s.shown; }));
}

void ComparisonSet::SetEditedNote(std::string note, const BandLevels& levels, int dataType)
{
    m_note = {std::move(note), levels, dataType, m_bands};
}

std::string ComparisonSet::EditedNote(const TSpectrumModel& model) const
{
    if (m_note.text.empty() || BandSetOf(model) != m_note.bands || model.Nodes.DataType != m_note.dataType ||
        model.Nodes.Count != BandCountOf(m_note.bands))
        return {};
    for (int k = 0; k < model.Nodes.Count; ++k)
        if (!SameBits(model.Nodes.Node[k].Y, m_note.levels[k]))
            return {};
    return m_note.text;
}

} // namespace velmora
