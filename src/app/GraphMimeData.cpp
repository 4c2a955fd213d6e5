#include "app/GraphMimeData.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgRenderer>

namespace velmora {

namespace {

const QString kSvg = QStringLiteral("image/svg+xml");
const QString kImage = QStringLiteral("application/x-qt-image");
const QString kPng = QStringLiteral("image/png");

} // namespace

GraphMimeData::GraphMimeData(QByteArray svg, QSize size) : m_svg(std::move(svg)), m_size(size) {}

QStringList GraphMimeData::formats() const
{
    return {kSvg, kImage, kPng};
}

bool GraphMimeData::hasFormat(const QString& mimeType) const
{
    return formats().contains(mimeType);
}

QVariant GraphMimeData::retrieveData(const QString& mimeType, QMetaType type) const
{
    if (mimeType == kSvg)
        return m_svg;
    if (mimeType == kImage)
        return Rendered();
    if (mimeType == kPng) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        Rendered().save(&buffer, "PNG");
        return png;
    }
    return QMimeData::retrieveData(mimeType, type);
}

const QImage& GraphMimeData::Rendered() const
{
    if (m_image.isNull()) {
        // The picture scales without loss, but a bitmap of a huge window's size takes seconds and
        // gigabytes to render; the SVG keeps every detail for programs that take it.
        QSize size = m_size;
        if (size.width() > kMaxImageSide || size.height() > kMaxImageSide)
            size.scale(kMaxImageSide, kMaxImageSide, Qt::KeepAspectRatio);
        m_image = QImage(size, QImage::Format_ARGB32);
        m_image.fill(Qt::white);
        QPainter painter(&m_image);
        QSvgRenderer(m_svg).render(&painter);
    }
    return m_image;
}

} // namespace velmora
