#pragma once

#include <QByteArray>
#include <QImage>
#include <QMimeData>
#include <QSize>

namespace velmora {

/**
 * The graph on the clipboard: an SVG picture, and a white-backed image rendered from it only
 * when a program asks to paste an image, so that the copy itself stays quick; beside them, when
 * given, the band table as plain text and as HTML, so that a spreadsheet pastes cells and a word
 * processor a table or the picture, as it chooses.
 */
class GraphMimeData : public QMimeData
{
public:
    /** Longest side of the image, in pixels: a huge window's graph is scaled down to it. */
    static constexpr int kMaxImageSide = 4096;

    /** size is the graph's in pixels; the image has it, scaled down to kMaxImageSide if larger. */
    GraphMimeData(QByteArray svg, QSize size);

    /** Offers the band table too: tab-separated UTF-8 text and an HTML table. */
    void SetTable(QByteArray text, QByteArray html);

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    const QImage& Rendered() const;

    QByteArray m_svg;
    QSize m_size;
    QByteArray m_text;
    QByteArray m_html;
    mutable QImage m_image;
};

} // namespace velmora
