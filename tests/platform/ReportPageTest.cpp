#include "platform/ReportPage.h"

#include "io/BandTable.h"
#include "model/ModelTestSupport.h"
#include "model/RatingLines.h"
#include "model/Ratings.h"
#include "model/ResultTexts.h"
#include "support/PdfTools.h"

#include <QFile>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace velmora;

namespace {

/** A PDF of one page per call of draw, on the locale's paper, written to file. */
void WritePdf(const QString& file, const QLocale& locale, int pages,
              const std::function<void(QPainter&, int page)>& draw)
{
    QPdfWriter writer(file);
    SetUpReportWriter(writer, locale, QStringLiteral("Test"));
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            ASSERT_TRUE(writer.newPage());
        }
        draw(painter, page);
    }
}

/** The words of a rating line as a page shows them, in the order drawn. */
QString LineWords(const RatingLine& line)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(QString::fromStdString(line.name), QString::fromStdString(line.value),
             QString::fromStdString(BandName(line.governingBand)), QString::fromStdString(line.advice))
        .simplified();
}

/** A spectrum of each band set and data type with levels of its own, its ratings up to date. */
TSpectrumModel Case(int index, std::minstd_rand& random)
{
    TSpectrumModel model = test::Spectrum(index % 2 ? BandSet::Third : BandSet::Octave, 0.0f);
    model.Nodes.DataType = index / 2 % 4;
    model.OtherDataType = index % 3;
    for (int k = 0; k < model.Nodes.Count; ++k) {
        model.Nodes.Node[k].Y = static_cast<float>(random() % 900) / 10.0f + 10.0f;
        model.OtherLevels[k] = static_cast<float>(random() % 600) / 10.0f;
    }
    Recalculate(model);
    return model;
}

} // namespace

TEST(ReportPageTest, EachPageHoldsItsParticularsRatingsAndBandTableAsSearchableText)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("report.pdf"));
    std::minstd_rand random(7);
    std::vector<TSpectrumModel> models;
    for (int i = 0; i < 8; ++i)
        models.push_back(Case(i, random));
    const ReportPage page(QStringLiteral("Flat 3 floor"), QStringLiteral("Office fit-out, after\nthe works"),
                          QDateTime(QDate(2031, 2, 3), QTime(4, 5)));
    const auto subject = [](int i) {
        return ReportSubject{QStringLiteral("/surveys/flat %1.snd").arg(i),
                             DataFingerprint(QByteArray::number(i)), i == 3};
    };
    WritePdf(file, QLocale(QLocale::German, QLocale::Germany), static_cast<int>(models.size()),
             [&](QPainter& painter, int i) { page.Draw(painter, models[i], subject(i)); });

    EXPECT_EQ(test::ReadPdfInfo(file).pages, static_cast<int>(models.size()));
    EXPECT_TRUE(test::PdfImageSizes(file).empty())
        << "the graph and the text are drawn, not pasted as images";
    for (int i = 0; i < static_cast<int>(models.size()); ++i) {
        SCOPED_TRACE(i);
        const TSpectrumModel& model = models[i];
        const QString words = test::PdfWords(file, i + 1);
        const QStringList expected = {
            QStringLiteral("Flat 3 floor File: /surveys/flat %1.snd").arg(i),
            QStringLiteral("Data: %1, %2")
                .arg(QString::fromStdString(DataTypeCaption(model.Nodes.DataType)),
                     QString::fromStdString(BandSetCaption(model))),
            QStringLiteral("Date: 2031-02-03 04:05 Velmora " VELMORA_VERSION),
            QStringLiteral("SHA-256: ") + subject(i).fingerprint,
            QStringLiteral("Office fit-out, after the works"),
        };
        for (const QString& text : expected)
            EXPECT_TRUE(words.contains(text)) << text.toStdString() << "\nin: " << words.toStdString();
        EXPECT_EQ(words.contains(QStringLiteral("unsaved")), i == 3);
        for (const RatingLine& line : RatingLines(model.Ratings, FamilyOf(model.Nodes.DataType)))
            EXPECT_TRUE(words.contains(LineWords(line))) << LineWords(line).toStdString();
        const BandTableCells table = BandTable(model);
        ASSERT_EQ(static_cast<int>(table.rows.size()), model.Nodes.Count);
        for (const auto& row : table.rows) {
            QStringList cells;
            for (const std::string& cell : row)
                cells << QString::fromStdString(cell);
            EXPECT_TRUE(words.contains(cells.join(u' '))) << cells.join(u' ').toStdString();
        }
    }
}

TEST(ReportPageTest, PaperFollowsTheLocaleAndLongTextsStayOnThePage)
{
    QTemporaryDir dir;
    struct Case {
        QLocale locale;
        QSizeF points;
    };
    const Case cases[] = {{QLocale(QLocale::English, QLocale::UnitedStates), {612, 792}},
                          {QLocale(QLocale::English, QLocale::UnitedKingdom), {595, 842}},
                          {QLocale(QLocale::German, QLocale::Germany), {595, 842}},
                          {QLocale::c(), {595, 842}}};
    // The longest a page gets: a title and note far beyond their lines, third octaves, and the
    // attenuations' ratings with their advice.
    const QString longTitle = QStringLiteral("Partition between the meeting rooms ").repeated(12);
    QString longNote;
    for (int line = 1; line <= 40; ++line)
        longNote += QStringLiteral("Note line %1 says where and how the levels were measured.\n").arg(line);
    TSpectrumModel model = test::Spectrum(BandSet::Third, 0.0f);
    model.Nodes.DataType = AttenuationLevels;
    for (int k = 0; k < model.Nodes.Count; ++k)
        model.Nodes.Node[k].Y = 20.0f + static_cast<float>(k % 5) * 9.0f;
    Recalculate(model);
    const ReportPage page(longTitle, longNote, QDateTime::currentDateTime());
    const ReportSubject subject{QStringLiteral("/projects/acoustics/").repeated(5) +
                                    QStringLiteral("wall.snd"),
                                DataFingerprint(QByteArray("wall")), true};

    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        const QString file = dir.filePath(c.locale.name() + QStringLiteral(".pdf"));
        WritePdf(file, c.locale, 1, [&](QPainter& painter, int) { page.Draw(painter, model, subject); });
        const QSizeF size = test::ReadPdfInfo(file).pageSize;
        EXPECT_NEAR(size.width(), c.points.width(), 1.0);
        EXPECT_NEAR(size.height(), c.points.height(), 1.0);

        const QString words = test::PdfWords(file);
        EXPECT_TRUE(words.contains(QStringLiteral("Note line 6 ")));
        EXPECT_FALSE(words.contains(QStringLiteral("Note line 7 "))) << "at most six lines of note";
        EXPECT_TRUE(words.contains(QStringLiteral("20000 ")));
        EXPECT_TRUE(words.contains(subject.fingerprint + QStringLiteral(" (unsaved)")));
        EXPECT_TRUE(QString(words).remove(u' ').contains(subject.file))
            << "the whole path, on lines of its own";
        // Within the page's margins of half an inch, the last band's row included.
        const QRectF inside = QRectF(QPointF(0, 0), size).adjusted(30, 30, -30, -30);
        int lastBand = 0;
        for (const test::PdfWord& word : test::PdfWordBoxes(file)) {
            EXPECT_TRUE(inside.contains(word.box)) << word.text.toStdString();
            lastBand += word.text == QStringLiteral("20000");
        }
        EXPECT_EQ(lastBand, 1);
    }
}

TEST(ReportPageTest, TheFingerprintIsSha256InLowerCaseHex)
{
    // The test vectors of FIPS 180-2.
    EXPECT_EQ(DataFingerprint(QByteArray("abc")),
              QStringLiteral("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    EXPECT_EQ(DataFingerprint(QByteArray()),
              QStringLiteral("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
}
