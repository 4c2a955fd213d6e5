#include "edit/SpectrumEdits.h"

#include "io/LevelsImport.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumOperations.h"
#include "model/StoredLevel.h"

namespace velmora {

namespace {

/** Swapping is its own inverse. */
class SwapEdit : public EditCommand
{
public:
    void DoApply(TSpectrumModel& model) override { Swap(model); }
    void DoRevert(TSpectrumModel& model) override { Swap(model); }
    std::string Text() const override { return "Swap Spectra"; }

private:
    static void Swap(TSpectrumModel& model)
    {
        SwapSpectrumLevels(model);
        Recalculate(model);
    }
};

class DataTypeEdit : public EditCommand
{
public:
    DataTypeEdit(int before, int after) : m_before(before), m_after(after) {}

    void DoApply(TSpectrumModel& model) override { Set(model, m_after); }
    void DoRevert(TSpectrumModel& model) override { Set(model, m_before); }
    std::string Text() const override { return "Data Type"; }

private:
    static void Set(TSpectrumModel& model, int type)
    {
        model.Nodes.DataType = type;
        Recalculate(model);
    }

    int m_before;
    int m_after;
};

/**
 * An edit whose result is not the inverse of a simple step (a band conversion drops bands, a paste
 * replaces levels): it holds the edited data before and after, worked out once when it is made.
 */
class DataEdit : public EditCommand
{
public:
    DataEdit(std::string text, const SpectrumData& before, const SpectrumData& after)
        : m_text(std::move(text)), m_before(before), m_after(after)
    {
    }

    void DoApply(TSpectrumModel& model) override { Set(model, m_after); }
    void DoRevert(TSpectrumModel& model) override { Set(model, m_before); }
    std::string Text() const override { return m_text; }

private:
    static void Set(TSpectrumModel& model, const SpectrumData& data)
    {
        static_cast<SpectrumData&>(model) = data;
        Recalculate(model);
    }

    std::string m_text;
    SpectrumData m_before;
    SpectrumData m_after;
};

bool SameData(const SpectrumData& a, const SpectrumData& b)
{
    for (int k = 0; k < kBandSlots; ++k)
        if (!SameBits(a.Nodes.Node[k].X, b.Nodes.Node[k].X) ||
            !SameBits(a.Nodes.Node[k].Y, b.Nodes.Node[k].Y) || !SameBits(a.OtherLevels[k], b.OtherLevels[k]))
            return false;
    return a.Nodes.Count == b.Nodes.Count && a.Nodes.Current == b.Nodes.Current &&
           a.Nodes.DataType == b.Nodes.DataType && a.Reserved == b.Reserved &&
           a.OtherDataType == b.OtherDataType && a.BandStart == b.BandStart && a.BandStep == b.BandStep;
}

/** The edit of a model step run on a copy of the model; null when the step did nothing. */
template <typename Step>
std::unique_ptr<EditCommand> MakeDataEdit(const TSpectrumModel& model, std::string text, Step step)
{
    TSpectrumModel after = model;
    if (!step(after))
        return nullptr;
    return std::make_unique<DataEdit>(std::move(text), model, after);
}

/** A band-set switch rebuilds the nodes for the new set, node 0 current, as the view shows them. */
bool RebuildNodes(TSpectrumModel& model, bool switched)
{
    if (switched)
        SetupNodes(model, false);
    return switched;
}

class ApplyResultsEdit : public EditCommand
{
public:
    explicit ApplyResultsEdit(const TSpectrumModel& model) : m_before(model), m_after(model)
    {
        TSpectrumModel applied = model;
        ApplyCalculatedResults(applied);
        m_after = applied;
        m_exchanged = applied.Results;
    }

    void DoApply(TSpectrumModel& model) override
    {
        static_cast<SpectrumData&>(model) = m_after;
        // The levels changed, so the ratings follow them; Results keeps what was exchanged out.
        Recalculate(model);
        model.Results = m_exchanged;
        StoreWeightedResults(model);
    }

    void DoRevert(TSpectrumModel& model) override
    {
        static_cast<SpectrumData&>(model) = m_before;
        Recalculate(model);
    }

    std::string Text() const override { return "Apply Calculated Results"; }

private:
    SpectrumData m_before;
    SpectrumData m_after;
    std::array<float, kBandSlots> m_exchanged{};
};

} // namespace

std::unique_ptr<EditCommand> MakeSwapEdit()
{
    return std::make_unique<SwapEdit>();
}

std::unique_ptr<EditCommand> MakeDataTypeEdit(const TSpectrumModel& model, int dataType)
{
    if (!IsDataType(dataType) || dataType == model.Nodes.DataType)
        return nullptr;
    return std::make_unique<DataTypeEdit>(model.Nodes.DataType, dataType);
}

std::unique_ptr<EditCommand> MakeApplyResultsEdit(const TSpectrumModel& model)
{
    if (model.HighlightMode < HighlightA || model.HighlightMode > HighlightResults)
        return nullptr;
    return std::make_unique<ApplyResultsEdit>(model);
}

std::unique_ptr<EditCommand> MakeBandSetEdit(const TSpectrumModel& model, BandSet target)
{
    if (target == BandSet::Third)
        return MakeDataEdit(model, "Third Octave Bands",
                            [](TSpectrumModel& m) { return RebuildNodes(m, ConvertToThirdOctave(m)); });
    if (target == BandSet::Octave)
        return MakeDataEdit(model, "Full Octave Bands",
                            [](TSpectrumModel& m) { return RebuildNodes(m, ConvertToFullOctave(m)); });
    return nullptr;
}

std::unique_ptr<EditCommand> MakeResetEdit(const TSpectrumModel& model)
{
    TSpectrumModel after = model;
    SetupNodes(after, true);
    return std::make_unique<DataEdit>("Reset to Zero", model, after);
}

std::unique_ptr<EditCommand> MakeLevelsEdit(const TSpectrumModel& model, const TabularLevels& levels,
                                            const std::string& text)
{
    return MakeDataEdit(model, text, [&levels](TSpectrumModel& m) {
        // Within the set in use the nodes and the current node stay, as after any level edit.
        const LevelsImport done = ImportLevels(m, levels);
        return done == LevelsImport::Levels || RebuildNodes(m, done == LevelsImport::BandSet);
    });
}

std::unique_ptr<EditCommand> MakeSpectrumDataEdit(const TSpectrumModel& model, const SpectrumData& after,
                                                  std::string text)
{
    if (SameData(model, after))
        return nullptr;
    return std::make_unique<DataEdit>(std::move(text), model, after);
}

} // namespace velmora
