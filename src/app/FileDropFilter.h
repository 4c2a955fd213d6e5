#pragma once

#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QMimeData;

namespace velmora {

/**
 * The first local file among dropped URLs, as the bytes of its name; folders and URLs that name no
 * local file are passed over. Empty when there is none. The file need not exist or read: opening it
 * says so.
 */
std::string FirstDroppedFile(const QMimeData* data);

/** Every local file among dropped URLs, in their order, as FirstDroppedFile finds the first. */
std::vector<std::string> DroppedFiles(const QMimeData* data);

/**
 * Lets files be dropped on a window: it accepts a drag that carries a local file, and a drop
 * of one emits FileDropped with the first; with Ctrl held, FilesDroppedToCompare with all of them
 * instead. Install it on the window as an event filter.
 */
class FileDropFilter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    /** localPath: the file name's bytes. */
    void FileDropped(const QByteArray& localPath);
    /** Files dropped with Ctrl held, for the comparison set; the names' bytes. */
    void FilesDroppedToCompare(const QList<QByteArray>& localPaths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace velmora
