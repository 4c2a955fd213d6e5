#include "app/GraphMimeData.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgRenderer>

namespace velmora {

namespace {

const QString kSvg = QStringLiteral("image/svg+xml");
const QString kImage = QStringLiteral("application/x-qt-image");
const QString kPng = QStringLiteral("image/png");
const QString kText = QStringLiteral("text/plain");
const QString kHtml = QStringLiteral("text/html");

} // namespace

GraphMimeData::GraphMimeData(QByteArray svg, QSize size) : m_svg(std::move(svg)), m_size(size) {}

void GraphMimeData::SetTable(QByteArray text, QByteArray html)
{
    m_text = std::move(text);
    m_html = std::move(html);
}

QStringList GraphMimeData::formats() const
{
    QStringList list{kSvg, kImage, kPng};
    if (!m_text.isEmpty())
        list << kText << kHtml;
    return list;
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
    if ((mimeType == kText || mimeType == kHtml) && !m_text.isEmpty()) {
        const QByteArray& bytes = mimeType == kText ? m_text : m_html;
        // text() and html() ask for a string; a clipboard owner serving other programs asks for bytes.
        if (type.id() == QMetaType::QString)
            return QString::fromUtf8(bytes);
        return bytes;
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
