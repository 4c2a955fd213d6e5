#pragma once

#include <QObject>
#include <QString>

class QMimeData;

namespace velmora {

/**
 * The first local file among dropped URLs; folders and URLs that name no local file are passed
 * over. Empty when there is none. The file need not exist or read: opening it says so.
 */
QString FirstDroppedFile(const QMimeData* data);

/**
 * Lets files be dropped on a window: it accepts a drag that carries a local file, and a drop
 * of one emits FileDropped with the first. Install it on the window as an event filter.
 */
class FileDropFilter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void FileDropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace velmora
