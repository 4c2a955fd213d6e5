#include "io/DataFile.h"

#include "entry/NumberText.h"
#include "io/FileContents.h"
#include "io/TextEncoding.h"
#include "io/WordReader.h"
#include "model/Bands.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"

#include <algorithm>
#include <initializer_list>

namespace velmora {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHeader = "#\r\n"
                                     "# Velmora Data File\r\n"
                                     "# Spectrum levels in dB by band\r\n"
                                     "#\r\n"
                                     "\r\n";
constexpr std::string_view kFieldGap = "  ";

constexpr std::string_view kBandsKeyword = "Bands:";
constexpr std::string_view kSpectrumKeyword = "Spectrum:";
constexpr std::string_view kGraphKeyword = "Graph:";
constexpr std::string_view kLevelsKeyword = "Levels:";
constexpr std::string_view kSpectraKeyword = "Spectra:";

/** Slots the writer may walk whatever Count holds. */
int SlotsInUse(const TSpectrumModel& model)
{
    return std::clamp(model.Nodes.Count, 0, kBandSlots);
}

/** The keyword, one space, then the fields two spaces apart, and the line end. */
void AppendLine(std::string& text, std::string_view keyword, std::initializer_list<std::string> fields)
{
    text += keyword;
    std::string_view separator = " ";
    for (const std::string& field : fields) {
        text += separator;
        text += field;
        separator = kFieldGap;
    }
    text += kLineEnd;
}

bool IsBandSet(int start, int step)
{
    return BandSetOf(start, step) != BandSet::Unknown;
}

// Each keyword's reads stop at the first number that does not read; the word loop then meets it.

void ReadBands(WordReader& reader, TSpectrumModel& model, GraphExtents&)
{
    int start = 0;
    int step = 0;
    // Any other pair would walk the band tables wrongly or not at all.
    if (reader.ReadInteger(start) && reader.ReadInteger(step) && IsBandSet(start, step)) {
        model.BandStart = start;
        model.BandStep = step;
    }
}

void ReadSpectrum(WordReader& reader, TSpectrumModel& model, GraphExtents&)
{
    for (int* dataType : {&model.Nodes.DataType, &model.OtherDataType}) {
        int value = 0;
        if (!reader.ReadInteger(value))
            return;
        if (IsDataType(value))
            *dataType = value;
    }
    reader.ReadInteger(model.Reserved);
}

void ReadGraph(WordReader& reader, TSpectrumModel&, GraphExtents& extents)
{
    for (float* value : {&extents.MinLevel, &extents.MaxLevel, &extents.LevelIncrement}) {
        if (!reader.ReadDecimal(*value))
            return;
    }
}

void ReadLevels(WordReader& reader, TSpectrumModel& model, GraphExtents&)
{
    TNode node;
    if (reader.ReadDecimal(node.X))
        reader.ReadDecimal(node.Y);
    // The pair goes in even when it did not read, so that later lines keep their node numbers.
    AppendNode(model, node.X, node.Y);
}

void ReadSpectra(WordReader& reader, TSpectrumModel& model, GraphExtents&)
{
    int count = 0;
    if (!reader.ReadInteger(count))
        return;
    float level = 0.0f;
    for (int i = 0; i < count && reader.ReadDecimal(level); ++i) {
        if (i < kBandSlots)
            model.OtherLevels[i] = level;
    }
}

struct Keyword {
    std::string_view name;
    void (*read)(WordReader&, TSpectrumModel&, GraphExtents&);
};

constexpr Keyword kKeywords[] = {
    {kBandsKeyword, ReadBands},   {kSpectrumKeyword, ReadSpectrum}, {kGraphKeyword, ReadGraph},
    {kLevelsKeyword, ReadLevels}, {kSpectraKeyword, ReadSpectra},
};

} // namespace

std::string DataFileText(const TSpectrumModel& model)
{
    const int count = SlotsInUse(model);
    std::string text(kHeader);
    AppendLine(text, kBandsKeyword, {std::to_string(model.BandStart), std::to_string(model.BandStep)});
    AppendLine(text, kSpectrumKeyword,
               {std::to_string(model.Nodes.DataType), std::to_string(model.OtherDataType),
                std::to_string(model.Reserved)});
    AppendLine(text, kGraphKeyword,
               {FixedTextWithoutNegativeZero(model.MinLevel, 2),
                FixedTextWithoutNegativeZero(model.MaxLevel, 2),
                FixedTextWithoutNegativeZero(model.LevelIncrement, 2)});
    text += kLineEnd;
    for (int k = 0; k < count; ++k) {
        const TNode& node = model.Nodes.Node[k];
        AppendLine(text, kLevelsKeyword,
                   {FixedTextWithoutNegativeZero(AbscissaFrequency(node.X), 1),
                    FixedTextWithoutNegativeZero(node.Y, 3)});
    }
    text += kLineEnd;
    AppendLine(text, kSpectraKeyword, {std::to_string(count)});
    for (int k = 0; k < count; ++k) {
        text += kFieldGap;
        text += FixedTextWithoutNegativeZero(model.OtherLevels[k], 1);
    }
    text += kLineEnd;
    text += kLineEnd;
    return text;
}

float FileLevel(float level)
{
    const std::string text = FixedTextWithoutNegativeZero(level, 3);
    WordReader reader(text);
    float read = level;
    return reader.ReadDecimal(read) ? read : level;
}

bool WriteDataFile(const TSpectrumModel& model, const std::string& path, std::string* reason)
{
    return ReplaceFileContents(path, DataFileText(model), reason);
}

GraphExtents ReadDataWords(TSpectrumModel& model, std::string_view text)
{
    model.Nodes.Count = 0;
    // Extents the text does not give stay as they are.
    GraphExtents extents = GetGraphExtents(model);
    std::string converted;
    WordReader reader(TextOfBytes(text, converted));
    std::string_view word;
    while (reader.NextWord(word)) {
        const auto keyword =
            std::find_if(std::begin(kKeywords), std::end(kKeywords),
                         [word](const Keyword& candidate) { return candidate.name == word; });
        if (keyword != std::end(kKeywords))
            keyword->read(reader, model, extents);
    }
    return extents;
}

void LoadDataText(TSpectrumModel& model, std::string_view text)
{
    const GraphExtents extents = ReadDataWords(model, text);
    StoreGraphExtents(model, extents.MinLevel, extents.MaxLevel, extents.LevelIncrement);
    SetupSpectrum(model, false);
}

void LoadFreshDataText(TSpectrumModel& model, std::string_view text)
{
    // Reading recalculates for the levels read, so the start-up state needs no ratings of its own.
    InitModel(model);
    SetupNodes(model, true);
    LoadDataText(model, text);
}

bool LoadDataFile(TSpectrumModel& model, const std::string& path, std::string* reason)
{
    std::string text;
    if (!ReadFileContents(path, kMaxDataFileBytes, text, reason))
        return false;
    LoadDataText(model, text);
    return true;
}

} // namespace velmora
