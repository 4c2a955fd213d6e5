#pragma once

#include <QString>

#include <string>

namespace velmora {

/**
 * A file name as the system's calls take it: the bytes QFile::encodeName gives, so that a name
 * the system handed over (a command-line argument, a dialog's choice, a drop) opens and saves under
 * exactly those bytes, valid UTF-8 or not.
 */
std::string LocalPath(const QString& path);

/** The QString of a file name's bytes as the system gave them (QFile::decodeName): LocalPath's inverse. */
QString PathFromLocal(const std::string& localPath);

} // namespace velmora
