#include "platform/LocalPath.h"

#include <QFile>

namespace velmora {

std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString PathFromLocal(const std::string& localPath)
{
    return QFile::decodeName(QByteArray::fromStdString(localPath));
}

} // namespace velmora
