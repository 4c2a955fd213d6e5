#pragma once

#include "model/Bands.h"
#include "model/SpectrumAverage.h"
#include "model/SpectrumRatings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

struct TSpectrumModel;

/** One spectrum of the comparison set. */
struct ComparedSpectrum {
    /** The file's name as the legend and the Compare view show it; unique within the set. */
    std::string name;
    /** The file it was read from, as a local path (the bytes of the name); empty for none. */
    std::string path;
    /** The levels in the band set the file had, and that set (octaves or third octaves). */
    BandLevels sourceLevels{};
    BandSet sourceBands = BandSet::Octave;
    /** The levels in the set's band set: sourceLevels, converted as the band commands convert. */
    BandLevels levels{};
    /** Data type 0 to 3 of the levels. */
    int dataType = 0;
    /** Drawn, listed in the Compare view and averaged. */
    bool shown = true;
    /** Index of the spectrum's style in the fixed sequence of curve styles; kept while it is in the set. */
    int style = 0;
    /** The ratings of levels, computed whenever they change. */
    SpectrumRatings ratings;

    /** True when the file's band set is not the set's, so that levels were converted. */
    bool Converted(BandSet bands) const { return sourceBands != bands; }
};

/**
 * Levels of one band set converted to another as the band commands convert the edited spectrum
 * (octave centres kept, the bands between interpolated, or the centre bands kept). Unchanged when
 * both sets are the same; an Unknown set on either side changes nothing.
 */
BandLevels ConvertBandLevels(const BandLevels& levels, BandSet from, BandSet to);

/**
 * Spectra compared with the edited one: read from files, each in a style of its own, in the band
 * set the edited spectrum has. The set is not part of the edited data: no undo step records it and
 * no data file keeps it. Every change counts up Revision(), so that a drawing of the set knows when
 * it is out of date.
 */
class ComparisonSet
{
public:
    /** Most spectra a set holds; the legend and the Compare view stay readable well below it. */
    static constexpr std::size_t kMaxSpectra = 100;

    const std::vector<ComparedSpectrum>& Spectra() const { return m_spectra; }
    std::size_t Size() const { return m_spectra.size(); }
    bool Empty() const { return m_spectra.empty(); }
    /** Spectrum i, 0 to Size() - 1. */
    const ComparedSpectrum& operator[](std::size_t i) const { return m_spectra[i]; }

    /** The band set the levels are in: the edited spectrum's. */
    BandSet Bands() const { return m_bands; }
    std::uint64_t Revision() const { return m_revision; }

    /**
     * Adds a spectrum read from path (levels in their own band set, data type 0 to 3, any other
     * counting as 0), named after the file's name (made unique with " (2)", " (3)", ...), shown, in
     * the first style no other spectrum uses, converted to the set's band set and rated. Returns
     * its index; -1, and nothing added, when the set is full or sourceBands is Unknown.
     */
    int Add(const std::string& path, const BandLevels& sourceLevels, BandSet sourceBands, int dataType);
    /** Removes spectrum i; false for no such spectrum. */
    bool Remove(std::size_t i);
    void Clear();
    /** Shows or hides spectrum i; false when there is none or it already is so. */
    bool SetShown(std::size_t i, bool shown);
    /** Shows or hides every spectrum; false when none changed. */
    bool SetAllShown(bool shown);

    /**
     * Follows the edited spectrum's band set: every spectrum's levels are converted again from the
     * file's own and rated. Nothing happens for the set in force or an Unknown set.
     */
    void FollowBands(BandSet bands);

    /** The shown spectra's levels, in the set's order. */
    std::vector<const BandLevels*> ShownLevels() const;
    /** The shown spectra's data types, in the set's order. */
    std::vector<int> ShownDataTypes() const;
    std::size_t ShownCount() const;

    /**
     * Remembers what the edited spectrum was made from ("Average (energetic) of a.snd, b.snd"):
     * the note holds for as long as the edited spectrum has exactly these levels and data type in
     * this band set, so that an undo, or any later edit, takes it away and a redo brings it back.
     */
    void SetEditedNote(std::string note, const BandLevels& levels, int dataType);
    /** The note, when the model's edited spectrum is still what it was made for; else empty. */
    std::string EditedNote(const TSpectrumModel& model) const;

private:
    void Update(ComparedSpectrum& spectrum) const;
    std::string UniqueName(const std::string& name) const;
    int FreeStyle() const;

    std::vector<ComparedSpectrum> m_spectra;
    BandSet m_bands = BandSet::Octave;
    std::uint64_t m_revision = 0;

    struct Note {
        std::string text;
        BandLevels levels{};
        int dataType = 0;
        BandSet bands = BandSet::Unknown;
    } m_note;
};

/** The name of a file without its folder: what follows the last '/'. */
std::string FileNameOf(const std::string& path);

} // namespace velmora
