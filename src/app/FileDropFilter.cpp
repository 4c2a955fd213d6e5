#include "app/FileDropFilter.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace velmora {

std::vector<std::string> DroppedFiles(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        // The URL keeps the name's bytes percent-encoded; toLocalFile would turn bytes that are not
        // UTF-8 into replacement characters, and the file would not be found under its own name.
        const std::string path =
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
        if (path.empty() || QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).isDir())
            continue;
        paths.push_back(path);
    }
    return paths;
}

std::string FirstDroppedFile(const QMimeData* data)
{
    const std::vector<std::string> paths = DroppedFiles(data);
    return paths.empty() ? std::string() : paths.front();
}

bool FileDropFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (FirstDroppedFile(drag->mimeData()).empty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::vector<std::string> paths = DroppedFiles(drop->mimeData());
        if (paths.empty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // The source waits for the drop to end: the question and the reading come after it.
        if (drop->modifiers().testFlag(Qt::ControlModifier)) {
            QList<QByteArray> compared;
            for (const std::string& path : paths)
                compared << QByteArray::fromStdString(path);
            QMetaObject::invokeMethod(
                this, [this, compared] { emit FilesDroppedToCompare(compared); }, Qt::QueuedConnection);
            return true;
        }
        const QByteArray path = QByteArray::fromStdString(paths.front());
        QMetaObject::invokeMethod(
            this, [this, path] { emit FileDropped(path); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace velmora
