#pragma once

#include "model/Bands.h"
#include "model/RatingCurve.h"
#include "model/SpectrumRatings.h"

#include <array>

namespace velmora {

enum DataTypeCode : int {
    PressureLevels = 0,
    PowerLevels = 1,
    AttenuationLevels = 2,
    CorrectionFactors = 3,
};

enum HighlightCode : int {
    HighlightNone = 0,
    HighlightA = 1,
    HighlightB = 2,
    HighlightC = 3,
    HighlightD = 4,
    HighlightResults = 5,
    HighlightSafeLevels = 6,
    HighlightSTC = 7,
    HighlightNR = 8,
};

/** One node of the edited spectrum: X the graph abscissa, Y the level in dB. */
struct TNode {
    float X = 0.0f;
    float Y = 0.0f;
};

/** The edited spectrum. */
struct TNodeList {
    int Count = 0;
    std::array<TNode, kBandSlots> Node{};
    int Current = -1;
    int DataType = PressureLevels;
};

/**
 * What the user edits: both spectra with their data types and the band set. This is the state an
 * undo step takes back; Nodes.Current, which keeps its name in the node list, is the view's and
 * never part of an edit.
 */
struct SpectrumData {
    TNodeList Nodes;
    std::array<float, kBandSlots> OtherLevels{};
    int Reserved = 0;
    int OtherDataType = PressureLevels;
    int BandStart = kOctaveBandStart;
    int BandStep = kOctaveBandStep;
};

/**
 * How the graph shows the spectra: its level range and grid step, the overlay, and the reference
 * curve of the rating chosen to be drawn (shown only while the edited spectrum's data type is
 * rated by that rating).
 */
struct SpectrumView {
    float MinLevel = 0.0f;
    float MaxLevel = 120.0f;
    float LevelIncrement = 10.0f;
    int HighlightMode = HighlightNone;
    RatingCurve ShownCurve = RatingCurve::None;
};

/**
 * What a recalculation derives from the data: the one ratings value, its single numbers as the
 * model stores them, and the per-band results of the overlay.
 */
struct SpectrumResults {
    SpectrumRatings Ratings;
    std::array<float, kBandSlots> Results{};
    std::array<float, 4> WeightedLevel{};
    float STC = 0.0f;
    float NR = 0.0f;
};

/** The one model record: what is edited, how it is viewed and what is derived from it. */
struct TSpectrumModel : SpectrumData, SpectrumView, SpectrumResults {
};

/** Start-up defaults: nine empty full-octave slots, 0 to 120 dB in steps of 10, no overlay. */
void InitModel(TSpectrumModel& model);

/** All 30 nodes (0, 0), Count 0, Current -1, DataType 0. */
void InitNodeList(TNodeList& list);

/**
 * Rebuilds the edited spectrum for the band set: places the nodes at their band abscissae (levels
 * zeroed when asked), sets Count to the set's band count and makes node 0 current. The model half
 * of setting up the graph; it neither recalculates nor touches a surface.
 */
void SetupNodes(TSpectrumModel& model, bool zeroLevels);

struct GraphExtents {
    float MinLevel;
    float MaxLevel;
    float LevelIncrement;
};

GraphExtents GetGraphExtents(const TSpectrumModel& model);

/**
 * Stores the level range and grid step, the model half of setting the graph extents. The ends
 * are stored in the order given. A non-finite end keeps its previous value; an increment that is
 * not finite or below kMinLevelIncrement keeps the previous increment. Any stored increment
 * survives a save and reload; the grid draws every n-th line when the range would need more
 * than kMaxLevelLines.
 */
void StoreGraphExtents(TSpectrumModel& model, float minLevel, float maxLevel, float increment);

/** Most level grid lines drawn; a finer increment draws a whole multiple of itself. */
inline constexpr double kMaxLevelLines = 1000.0;

/** Smallest level increment in dB: the data file writes two decimals, so it still writes 0.01. */
inline constexpr double kMinLevelIncrement = 0.005;

/** True when 0 <= i < Count. */
bool ValidNode(const TSpectrumModel& model, int i);

/** Node i, or the point (0, 0) when i is not a valid node. */
TNode GetNode(const TSpectrumModel& model, int i);

/** Sets the level of a valid node; nothing else (no drawing, no recalculation). */
void SetNodeLevel(TSpectrumModel& model, int i, float level);

/** Appends (x, y) and makes it current; false, and nothing changed, when 30 nodes are in use. */
bool AppendNode(TSpectrumModel& model, float x, float y);

/** True for the data types 0 to 3; any other value can only come from a damaged file. */
inline constexpr bool IsDataType(int type)
{
    return type >= PressureLevels && type <= CorrectionFactors;
}

/** The model's band set; Unknown only when BandStart and BandStep were set to something else. */
inline BandSet BandSetOf(const TSpectrumModel& model)
{
    return BandSetOf(model.BandStart, model.BandStep);
}

/** Bands of the model's set: 9, 27, or 0 for a set that is neither. */
inline int BandCountOf(const TSpectrumModel& model)
{
    return BandCount(model.BandStart, model.BandStep);
}

/**
 * True when the model is one the program can reach: a known band set whose bands the nodes sit
 * on (Count equal to the set's band count, each node at its band abscissa), Current a node or
 * -1, both data types 0 to 3, the overlay mode 0 to 8 and a rating curve the program knows.
 */
bool IsConsistent(const TSpectrumModel& model);

/** The edited levels slot by slot, as the rating functions take them. */
std::array<float, kBandSlots> EditedLevels(const TSpectrumModel& model);

/** Band index of slot k in the model's band set. */
inline int BandIndexOfSlot(const TSpectrumModel& model, int k)
{
    return model.BandStart + k * model.BandStep;
}

} // namespace velmora
