#include "calc/FileModel.h"

#include "io/DataFile.h"

namespace velmora {

FileModel::FileModel(QSize graphSize) : m_control(graphSize), m_canvas(graphSize)
{
    m_surface.SetCanvas(&m_canvas, &m_control);
    Reset();
}

void FileModel::Reset()
{
    InitModel(m_model);
    SetupGraph(m_model, m_surface, nullptr, true);
}

bool FileModel::Read(const std::string& path, std::string& reason)
{
    Reset();
    return ReadDataFile(m_model, m_surface, nullptr, path, &reason);
}

} // namespace velmora
