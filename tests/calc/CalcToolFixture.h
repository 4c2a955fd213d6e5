#pragma once

#include "app/MainForm.h"
#include "edit/AppContext.h"
#include "entry/NumberText.h"
#include "platform/QtSettingsStore.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velmora::test {

/** What one run of velmora-calc gave. */
struct CalcRun {
    /** -1 when the program crashed or did not finish. */
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

/**
 * A temporary folder for data files and outputs, the built velmora-calc to run on them as a
 * process, and the main window to check its results against.
 */
class CalcToolTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    /** Writes bytes to a file of the folder; its path. */
    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray read(const QString& file)
    {
        QFile input(file);
        return input.open(QIODevice::ReadOnly) ? input.readAll() : QByteArray();
    }

    /** Runs the tool in the folder; standard output goes to outputFile instead when one is given. */
    CalcRun run(const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                const QString& outputFile = {}) const
    {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.setProcessEnvironment(environment);
        if (!outputFile.isEmpty())
            process.setStandardOutputFile(outputFile);
        process.start(QStringLiteral(VELMORA_CALC_PROGRAM), arguments);
        return finish(process);
    }

    /** Runs a shell script in the folder with "$0" the tool: for names that no QString can carry. */
    CalcRun runShell(const QString& script) const
    {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"), script, QStringLiteral(VELMORA_CALC_PROGRAM)});
        return finish(process);
    }

    static CalcRun finish(QProcess& process)
    {
        const bool finished = process.waitForFinished(120000);
        EXPECT_TRUE(finished) << "velmora-calc did not finish";
        CalcRun result;
        if (finished && process.exitStatus() == QProcess::NormalExit)
            result.exitCode = process.exitCode();
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    /**
     * A fresh main window given commandLine, shown at its designed size, 448 x 432, where the graph
     * is 446 x 287 pixels (clientWidth and clientHeight change that).
     */
    /** A window on commandLine whose graph is graphWidth x graphHeight pixels (velmora-calc's default). */
    TMainForm& openWindow(const QString& commandLine, int graphWidth = 446, int graphHeight = 287)
    {
        m_form.reset();
        m_context = std::make_unique<AppContext>(
            std::make_unique<QtSettingsStore>(path(QStringLiteral("window.ini"))));
        m_form = std::make_unique<TMainForm>(*m_context);
        m_form->ProcessCommandLine(commandLine.toStdString());
        m_form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
        QApplication::processEvents();
        // The menu bar and the toolbar take what they need; the graph gets the rest.
        const Draw2DClass& surface = m_context->Surface;
        m_form->resize(m_form->width() + graphWidth - surface.Width,
                       m_form->height() + graphHeight - surface.Height);
        QApplication::processEvents();
        EXPECT_EQ(QSize(surface.Width, surface.Height), QSize(graphWidth, graphHeight));
        return *m_form;
    }

    TSpectrumModel& windowModel() { return m_context->Model; }

    QTemporaryDir m_dir;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<TMainForm> m_form;
};

/**
 * A data file's text: the band set, the data types, then the edited levels and the other levels in
 * dB. The Levels frequencies are left at 0: reading places the nodes on the bands.
 */
inline QByteArray DataText(bool third, int editedType, int otherType, const std::vector<double>& levels,
                           const std::vector<double>& others)
{
    std::string text = third ? "Bands: 0 1\r\n" : "Bands: 1 3\r\n";
    text += "Spectrum: " + std::to_string(editedType) + " " + std::to_string(otherType) + " 0\r\n";
    for (double level : levels)
        text += "Levels: 0 " + FixedText(level, 3) + "\r\n";
    text += "Spectra: " + std::to_string(others.size());
    for (double level : others)
        text += " " + FixedText(level, 1);
    text += "\r\n";
    return QByteArray::fromStdString(text);
}

/** Levels start, start + step, ... for count bands. */
inline std::vector<double> Ramp(int count, double start, double step)
{
    std::vector<double> levels;
    for (int k = 0; k < count; ++k)
        levels.push_back(start + k * step);
    return levels;
}

/** The records of RFC 4180 text: fields split at commas, quoted fields unquoted, CR LF between records. */
inline std::vector<QStringList> ParseCsv(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            record << field;
            records.push_back(record);
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(record.isEmpty() && field.isEmpty() && !quoted) << "the last record has no CR LF";
    return records;
}

/** The words of text, split at blanks: a command line without quoting. */
inline QStringList Words(const char* text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

/** CSV output's records after its header, each keyed by the header's names. */
inline std::vector<std::map<QString, QString>> CsvRecords(const QByteArray& bytes)
{
    const std::vector<QStringList> records = ParseCsv(bytes);
    std::vector<std::map<QString, QString>> keyed;
    for (std::size_t r = 1; r < records.size(); ++r) {
        std::map<QString, QString>& record = keyed.emplace_back();
        for (qsizetype c = 0; c < records[0].size() && c < records[r].size(); ++c)
            record[records[0][c]] = records[r][c];
    }
    return keyed;
}

/** A data file of tests/calc/data. */
inline QString TestDataFile(const char* name)
{
    return QString::fromUtf8(VELMORA_CALC_TEST_DATA) + u'/' + QString::fromUtf8(name);
}

/** The lines of text output, each split at runs of blanks (file names in these tests hold none). */
inline std::vector<QStringList> ParseTextTable(const QByteArray& bytes)
{
    std::vector<QStringList> lines;
    for (const QString& line : QString::fromUtf8(bytes).split(u'\n', Qt::SkipEmptyParts))
        lines.push_back(line.split(u' ', Qt::SkipEmptyParts));
    return lines;
}

} // namespace velmora::test
