#pragma once

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace velmora::test {

/** Standard output of a program apart from ours (poppler's, coreutils'); a failure when it failed. */
inline QString RunTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
                process.exitCode() == 0)
        << tool.toStdString() << ": " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

/** The SHA-256 of a file as sha256sum prints it. */
inline QString Sha256Sum(const QString& file)
{
    return RunTool(QStringLiteral("sha256sum"), {file}).section(u' ', 0, 0);
}

/** A page's text (all pages for 0) in the order drawn, white space runs made one space: what a search finds.
 */
inline QString PdfWords(const QString& file, int page = 0)
{
    QStringList arguments = {QStringLiteral("-raw"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    return RunTool(QStringLiteral("pdftotext"), arguments << file << QStringLiteral("-")).simplified();
}

/** pdfinfo's page count and first page size in points. */
struct PdfInfo {
    int pages = 0;
    QSizeF pageSize;
};

inline PdfInfo ReadPdfInfo(const QString& file)
{
    static const QRegularExpression pattern(
        QStringLiteral("Pages:\\s+(\\d+)\\n(?:.*\\n)*?Page size:\\s+([\\d.]+) x ([\\d.]+) pts"));
    const QRegularExpressionMatch m = pattern.match(RunTool(QStringLiteral("pdfinfo"), {file}));
    return {m.captured(1).toInt(), QSizeF(m.captured(2).toDouble(), m.captured(3).toDouble())};
}

/** How many images the PDF holds (pdfimages -list, after its two header lines): none for vector art. */
inline qsizetype PdfImageCount(const QString& file)
{
    return RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file}).count(u'\n') - 2;
}

/** Each word of the PDF with its box in points from its page's top left (pdftotext -bbox). */
inline std::vector<std::pair<QString, QRectF>> PdfWordBoxes(const QString& file)
{
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([-\\d.]+)\" yMin=\"([-\\d.]+)\" xMax=\"([-\\d.]+)\" "
                       "yMax=\"([-\\d.]+)\">([^<]*)</word>"));
    std::vector<std::pair<QString, QRectF>> words;
    const QString html =
        RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        words.emplace_back(m.captured(5),
                           QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())));
    }
    return words;
}

} // namespace velmora::test
