#include "calc/SpectrumFile.h"

#include "io/DataFile.h"
#include "model/SpectrumModel.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace velmora {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

/** The data-file size limit in whole MiB, for messages. */
std::string LimitText()
{
    return std::to_string(kMaxDataFileBytes / (1024 * 1024)) + " MiB";
}

void Reset(TSpectrumModel& model)
{
    InitModel(model);
    SetupSpectrum(model, nullptr, true);
}

} // namespace

bool ReadSpectrumFile(TSpectrumModel& model, const std::string& path, std::string& reason)
{
    Reset(model);
    if (LoadDataFile(model, path))
        return true;
    Reset(model);
    reason = ReadFailureReason(path);
    return false;
}

std::string ReadFailureReason(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error)
        return error.message();
    if (fs::is_directory(status))
        return "it is a directory";
    if (fs::is_regular_file(status) && fs::file_size(path, error) > kMaxDataFileBytes && !error)
        return "it is larger than " + LimitText();
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return errno != 0 ? std::strerror(errno) : "it cannot be opened";
    return "it could not be read to its end within " + LimitText();
}

} // namespace velmora
