#include "calc/TableImport.h"

#include "io/FileContents.h"
#include "io/LevelsImport.h"
#include "io/TabularLevels.h"
#include "model/Ratings.h"
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

/**
 * Standard input up to the reader's limit; false when it holds more (it is read just beyond the
 * limit, not to its end) or cannot be read.
 */
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
    if (text.size() > kMaxTabularBytes) {
        reason = TooLargeReason(kMaxTabularBytes);
        return false;
    }
    return true;
}

} // namespace

bool ImportTableFile(TSpectrumModel& model, const std::string& path, std::string& message)
{
    Reset(model);
    std::string text;
    // A text over the reader's limit is refused here, file or stream, in the same words.
    const bool read = path == "-" ? ReadStandardInput(text, message)
                                  : ReadFileContents(path, kMaxTabularBytes, text, &message);
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
