#pragma once

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QSize>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace velmora::test {

/** Standard output of a tool (poppler's, coreutils') run on arguments; empty, with a failure, when it failed.
 */
inline QByteArray RunTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    const bool finished = process.waitForFinished(60000);
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << tool.toStdString() << ": " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

/** The SHA-256 of a file as sha256sum, a program apart from this one, prints it. */
inline QString Sha256Sum(const QString& file)
{
    return QString::fromLatin1(RunTool(QStringLiteral("sha256sum"), {file})).section(u' ', 0, 0);
}

/**
 * The text of one page (from 1), or of all pages when page is 0, in the order it was drawn
 * (pdftotext -raw), every run of white space one space: what a search of the PDF finds.
 */
inline QString PdfWords(const QString& file, int page = 0)
{
    QStringList arguments = {QStringLiteral("-raw"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    arguments << file << QStringLiteral("-");
    return QString::fromUtf8(RunTool(QStringLiteral("pdftotext"), arguments)).simplified();
}

/** The number of pages and the size of the first in points, as pdfinfo gives them. */
struct PdfInfo {
    int pages = 0;
    QSizeF pageSize;
};

inline PdfInfo ReadPdfInfo(const QString& file)
{
    const QString info = QString::fromUtf8(RunTool(QStringLiteral("pdfinfo"), {file}));
    PdfInfo result;
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    result.pages = pages.hasMatch() ? pages.captured(1).toInt() : 0;
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    if (size.hasMatch())
        result.pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    return result;
}

/** The sizes in pixels of the images the PDF holds (pdfimages -list): none for vector art. */
inline std::vector<QSize> PdfImageSizes(const QString& file)
{
    std::vector<QSize> sizes;
    const QStringList lines =
        QString::fromUtf8(RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file}))
            .split(u'\n', Qt::SkipEmptyParts);
    // Two header lines, then: page num type width height ...
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(u' ', Qt::SkipEmptyParts);
        if (fields.size() > 4)
            sizes.emplace_back(fields[3].toInt(), fields[4].toInt());
    }
    return sizes;
}

/** A word of a page with its box in points from the page's top left (pdftotext -bbox). */
struct PdfWord {
    int page = 0;
    QRectF box;
    QString text;
};

inline std::vector<PdfWord> PdfWordBoxes(const QString& file)
{
    const QString html = QString::fromUtf8(
        RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")}));
    std::vector<PdfWord> words;
    int page = 0;
    static const QRegularExpression element(
        QStringLiteral("<page |<word xMin=\"([-\\d.]+)\" yMin=\"([-\\d.]+)\" xMax=\"([-\\d.]+)\" "
                       "yMax=\"([-\\d.]+)\">([^<]*)</word>"));
    for (auto match = element.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        if (m.captured(0) == QStringLiteral("<page ")) {
            ++page;
            continue;
        }
        words.push_back({page,
                         QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                         m.captured(5)});
    }
    return words;
}

} // namespace velmora::test
