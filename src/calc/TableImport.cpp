#include "calc/TableImport.h"

#include "io/FileContents.h"
#include "io/LevelsImport.h"
#include "io/TabularLevels.h"
#include "model/SpectrumModel.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace velmora {

namespace {

void Reset(TSpectrumModel& model)
{
    InitModel(model);
    SetupSpectrum(model, true);
}

/** Standard input up to one byte past the reader's limit, which is then refused as too large. */
bool ReadStandardInput(std::string& text, std::string& reason)
{
    text.clear();
    char buffer[65536];
    while (text.size() <= kMaxTabularBytes) {
        const std::size_t read = std::fread(buffer, 1, sizeof buffer, stdin);
        text.append(buffer, read);
        if (read < sizeof buffer)
            break;
    }
    if (std::ferror(stdin)) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace

bool ImportTableFile(TSpectrumModel& model, const std::string& path, std::string& message)
{
    Reset(model);
    std::string text;
    // One byte more than the reader takes, so that a larger file gets the reader's own message.
    const bool read = path == "-" ? ReadStandardInput(text, message)
                                  : ReadFileContents(path, kMaxTabularBytes + 1, text, &message);
    if (!read)
        return false;
    TabularLevels levels;
    TabularError error;
    if (!ReadTabularLevels(text, levels, error)) {
        message = error.message;
        return false;
    }
    if (ImportLevels(model, levels) == LevelsImport::Refused) {
        message = "the levels fit no band set";
        return false;
    }
    SetupSpectrum(model, false);
    return true;
}

} // namespace velmora
