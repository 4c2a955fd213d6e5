#include "platform/ReportPage.h"

#include "io/BandTable.h"
#include "model/ModelTestSupport.h"
#include "model/RatingLines.h"
#include "model/Ratings.h"
#include "model/ResultTexts.h"
#include "support/PdfTools.h"

#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <random>

using namespace velmora;

namespace {

/** Writes one page per model to file on the locale's paper. */
void WritePdf(const QString& file, const QLocale& locale, const ReportPage& page,
              const std::vector<TSpectrumModel>& models, const std::vector<ReportSubject>& subjects)
{
    QPdfWriter writer(file);
    SetUpReportWriter(writer, locale, QStringLiteral("Test"));
    QPainter painter(&writer);
    for (std::size_t i = 0; i < models.size(); ++i) {
        ASSERT_TRUE(i == 0 || writer.newPage());
        page.Draw(painter, models[i], subjects[i]);
    }
}

/** Cells or words as one line of a page's text. */
QString Joined(const std::vector<std::string>& parts)
{
    QStringList texts;
    for (const std::string& part : parts)
        texts << QString::fromStdString(part);
    return texts.join(u' ').simplified();
}

} // namespace

TEST(ReportPageTest, EachPageHoldsItsParticularsRatingsAndBandTableAsSearchableText)
{
    // Each band set with each data type, at random levels.
    std::minstd_rand random(7);
    std::vector<TSpectrumModel> models;
    std::vector<ReportSubject> subjects;
    for (int i = 0; i < 8; ++i) {
        TSpectrumModel& model =
            models.emplace_back(test::Spectrum(i % 2 ? BandSet::Third : BandSet::Octave, 0.0f));
        model.Nodes.DataType = i / 2;
        for (int k = 0; k < model.Nodes.Count; ++k) {
            model.Nodes.Node[k].Y = static_cast<float>(random() % 900) / 10.0f + 10.0f;
            model.OtherLevels[k] = static_cast<float>(random() % 600) / 10.0f;
        }
        Recalculate(model);
        subjects.push_back(
            {QStringLiteral("/surveys/flat %1.snd").arg(i), DataFingerprint(QByteArray::number(i)), i == 3});
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("report.pdf"));
    const ReportPage page(QStringLiteral("Flat 3 floor"), QStringLiteral("Office fit-out, after\nthe works"),
                          QDateTime(QDate(2031, 2, 3), QTime(4, 5)));
    WritePdf(file, QLocale(QLocale::German, QLocale::Germany), page, models, subjects);

    EXPECT_EQ(test::ReadPdfInfo(file).pages, 8);
    EXPECT_EQ(test::PdfImageCount(file), 0) << "the graph and the text are drawn, not pasted as images";
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const TSpectrumModel& model = models[i];
        const QString words = test::PdfWords(file, i + 1);
        const QString expected[] = {
            QStringLiteral("Flat 3 floor File: ") + subjects[i].file,
            QStringLiteral("Data: %1, %2")
                .arg(QString::fromStdString(DataTypeCaption(model.Nodes.DataType)),
                     QString::fromStdString(BandSetCaption(model))),
            QStringLiteral("Date: 2031-02-03 04:05 Velmora " VELMORA_VERSION),
            QStringLiteral("SHA-256: ") + subjects[i].fingerprint +
                (i == 3 ? QStringLiteral(" (unsaved)") : QString()) +
                QStringLiteral(" Office fit-out, after the works"),
        };
        for (const QString& text : expected)
            EXPECT_TRUE(words.contains(text)) << text.toStdString() << "\nin: " << words.toStdString();
        for (const RatingLine& line : RatingLines(model.Ratings, FamilyOf(model.Nodes.DataType))) {
            const QString shown = Joined({line.name, line.value, BandName(line.governingBand), line.advice});
            EXPECT_TRUE(words.contains(shown)) << shown.toStdString();
        }
        for (const auto& row : BandTable(model).rows)
            EXPECT_TRUE(words.contains(Joined(row))) << Joined(row).toStdString();
    }
}

TEST(ReportPageTest, PaperFollowsTheLocaleAndLongTextsStayOnThePage)
{
    // The longest a page gets: a title, note and path far beyond their lines, third octaves, and
    // the attenuations' ratings with their advice.
    TSpectrumModel model = test::Spectrum(BandSet::Third, 0.0f);
    model.Nodes.DataType = AttenuationLevels;
    for (int k = 0; k < model.Nodes.Count; ++k)
        model.Nodes.Node[k].Y = 20.0f + static_cast<float>(k % 5) * 9.0f;
    Recalculate(model);
    QString note;
    for (int line = 1; line <= 40; ++line)
        note += QStringLiteral("Note line %1 says where and how the levels were measured.\n").arg(line);
    const ReportPage page(QStringLiteral("Partition between the meeting rooms ").repeated(12), note, {});
    const ReportSubject subject{QStringLiteral("/projects/acoustics/").repeated(5) +
                                    QStringLiteral("wall.snd"),
                                DataFingerprint(QByteArray("wall")), true};

    const std::pair<QLocale, QSizeF> cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), {612, 792}},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), {595, 842}},
        {QLocale(QLocale::German, QLocale::Germany), {595, 842}},
        {QLocale::c(), {595, 842}}};
    QTemporaryDir dir;
    for (const auto& [locale, points] : cases) {
        SCOPED_TRACE(locale.name().toStdString());
        const QString file = dir.filePath(locale.name() + QStringLiteral(".pdf"));
        WritePdf(file, locale, page, {model}, {subject});
        const QSizeF size = test::ReadPdfInfo(file).pageSize;
        EXPECT_NEAR(size.width(), points.width(), 1.0);
        EXPECT_NEAR(size.height(), points.height(), 1.0);

        const QString words = test::PdfWords(file);
        EXPECT_TRUE(words.contains(QStringLiteral("Note line 6 ")));
        EXPECT_FALSE(words.contains(QStringLiteral("Note line 7 "))) << "at most six lines of note";
        EXPECT_TRUE(QString(words).remove(u' ').contains(subject.file))
            << "the whole path, on lines of its own";
        // Every word within the page's margins of half an inch, the last band's row included.
        const QRectF inside = QRectF(QPointF(0, 0), size).adjusted(30, 30, -30, -30);
        int lastBand = 0;
        for (const auto& [text, box] : test::PdfWordBoxes(file)) {
            EXPECT_TRUE(inside.contains(box)) << text.toStdString();
            lastBand += text == QStringLiteral("20000");
        }
        EXPECT_EQ(lastBand, 1);
    }
}
