#include "app/RecoveryFile.h"

#include "app/MainFormFixture.h"
#include "model/ModelTestSupport.h"
#include "support/FileWatch.h"
#include "support/SpectrumText.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <ctime>
#include <memory>
#include <vector>

using namespace velmora;
using velmora::test::FileWatch;
using velmora::test::SpectrumText;

namespace {

/** The same spectra, whichever node is current. */
bool SameWork(TSpectrumModel a, const TSpectrumModel& b)
{
    a.Nodes.Current = b.Nodes.Current;
    return velmora::test::SameData(a, b);
}

/**
 * Answers every question the window asks while it lives, in turn, with the button of the given
 * text, and records the questions; once the answers run out the box is closed without one.
 */
class Answers
{
public:
    explicit Answers(QStringList buttons) : m_buttons(std::move(buttons))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start(10);
    }

    QStringList Questions;

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        // A box on the stack may take the place of the one before: each is marked once answered.
        if (!box || !box->isVisible() || box->property("answered").toBool())
            return;
        box->setProperty("answered", true);
        Questions << box->text();
        const QString wanted = m_buttons.isEmpty() ? QString() : m_buttons.takeFirst();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == wanted) {
                button->click();
                return;
            }
        box->reject();
    }

    QStringList m_buttons;
    QTimer m_timer;
};

class RecoveryFileTest : public velmora::test::MainFormFixture
{
protected:
    /** Another window of its own program, as a second process would show it, on the same folder. */
    struct Window {
        std::unique_ptr<AppContext> context;
        std::unique_ptr<TMainForm> form;
    };
    Window openWindow()
    {
        Window window;
        window.context = std::make_unique<AppContext>(std::make_unique<QtSettingsStore>(settingsFile()));
        window.form = std::make_unique<TMainForm>(*window.context);
        window.form->Recovery().SetFolder(recoveryFolder());
        return window;
    }

    QString inFolder(const QString& name) const { return QDir(recoveryFolder()).filePath(name); }

    QStringList folderEntries() const
    {
        return QDir(recoveryFolder())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }
};

TEST_F(RecoveryFileTest, LinksInTheRecoveryFolderAreNeitherReadNorWrittenThrough)
{
    // A recovery file that is a link to a spectrum elsewhere: restoring it and working on once
    // wrote the window's work into that file.
    const std::string outside = SpectrumText(33.0f);
    const QString target = writeFile(QStringLiteral("elsewhere.snd"), QByteArray::fromStdString(outside));
    ASSERT_TRUE(QDir().mkpath(recoveryFolder()));
    ASSERT_TRUE(QFile::link(target, inFolder(QStringLiteral("recovery.snd"))));
    FileWatch watch(QFile::encodeName(target).toStdString());
    ASSERT_TRUE(watch.Works());

    start();
    Answers answers({QStringLiteral("Restore")});
    m_form->OfferRecovery();
    EXPECT_TRUE(answers.Questions.isEmpty()) << "a link is no recovered work";
    QTest::keyClick(m_form.get(), Qt::Key_Up);
    ASSERT_TRUE(m_form->Recovery().WriteNow());

    EXPECT_FALSE(watch.Touched()) << "the linked file was opened";
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray::fromStdString(outside));
    // The link is set aside as damaged, still naming the file it named.
    const QStringList aside =
        QDir(recoveryFolder())
            .entryList({QStringLiteral("recovery-damaged-*.snd")}, QDir::Files | QDir::System);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(QFileInfo(inFolder(aside[0])).symLinkTarget(), target);
    // The window keeps its own work in a file of its own, never a link.
    const QFileInfo own(m_form->Recovery().FilePath());
    EXPECT_TRUE(own.isFile() && !own.isSymLink());
}

TEST_F(RecoveryFileTest, AStaleOrForeignLockNeverTurnsRecoveryOff)
{
    const QByteArray thisHost = QSysInfo::machineHostName().toUtf8();
    struct Case {
        const char* name;
        QByteArray lock;      // the lock an earlier program left beside its work
        int ageHours;         // how long ago it was last written
        bool offered;         // whether the next start offers the work
        const char* question; // a word the question holds
    };
    const Case cases[] = {
        {"empty, as a power cut leaves it", "", 0, true, ""},
        {"unreadable bytes", QByteArray("\xff\x00\x01garbage", 10), 0, true, ""},
        {"a process of this host that has gone", "2147483646\nBrevalis\n" + thisHost + "\n", 0, true, ""},
        {"another host, written a minute ago", "4242\nBrevalis\nfar-host\n", 0, false, ""},
        {"another host, quiet for two hours", "4242\nBrevalis\nfar-host\n", 2, true, "far-host"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(recoveryFolder()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(recoveryFolder()));
        writeFile(QStringLiteral("recovery/recovery.snd"), QByteArray::fromStdString(SpectrumText(44.0f)));
        const QString lock = writeFile(QStringLiteral("recovery/recovery.lock"), c.lock);
        const std::time_t then = std::time(nullptr) - c.ageHours * 3600;
        const struct timespec times[2] = {{then, 0}, {then, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(lock).constData(), times, 0), 0);

        start();
        QSignalSpy off(&m_form->Recovery(), &RecoveryFile::Unavailable);
        {
            Answers answers({QStringLiteral("Restore")});
            m_form->OfferRecovery();
            ASSERT_EQ(answers.Questions.size(), c.offered ? 1 : 0);
            if (c.offered) {
                EXPECT_TRUE(answers.Questions[0].contains(QString::fromLatin1(c.question)))
                    << answers.Questions[0].toStdString();
                EXPECT_EQ(model().Nodes.Node[0].Y, 44.0f);
            }
        }
        // Whatever the lock, this window keeps its own unsaved work.
        QTest::keyClick(m_form.get(), Qt::Key_Up);
        EXPECT_TRUE(m_form->Recovery().WriteNow());
        EXPECT_FALSE(m_form->Recovery().IsOff());
        EXPECT_EQ(off.count(), 0);
        // Work offered and restored is gone from the folder; a foreign one is left as it was.
        EXPECT_EQ(QFile::exists(inFolder(QStringLiteral("recovery.snd"))), !c.offered);
        stop();
    }
}

TEST_F(RecoveryFileTest, EveryWindowKeepsItsOwnWorkAndEachLeftBehindIsOffered)
{
    // Two windows run at once, each with unsaved work, the first of a data file.
    Window first = openWindow();
    first.context->Model.Nodes.Node[0].Y = 61.0f;
    first.form->Recovery().SetDocumentPath(QStringLiteral("/survey/room 1.snd"));
    ASSERT_TRUE(first.form->Recovery().WriteNow());
    Window second = openWindow();
    second.context->Model.Nodes.Node[0].Y = 62.0f;
    ASSERT_TRUE(second.form->Recovery().WriteNow()) << "the second window keeps its work too";
    const TSpectrumModel firstWork = first.context->Model;

    // The first crashes; the second works on and crashes later.
    const QByteArray firstFile = QFile::encodeName(first.form->Recovery().FilePath());
    first.form.reset();
    const std::time_t then = std::time(nullptr) - 60;
    const struct timespec times[2] = {{then, 0}, {then, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, firstFile.constData(), times, 0), 0);
    second.context->Model.Nodes.Node[1].Y = 72.0f;
    ASSERT_TRUE(second.form->Recovery().WriteNow());
    const TSpectrumModel secondWork = second.context->Model;
    second.form.reset();

    // The next start offers both, newest first; this one restores the first window's work and
    // leaves the other for the start after.
    start();
    {
        Answers answers({QStringLiteral("Later"), QStringLiteral("Restore")});
        m_form->OfferRecovery();
        ASSERT_EQ(answers.Questions.size(), 2);
        EXPECT_TRUE(answers.Questions[0].contains(QStringLiteral("untitled")))
            << answers.Questions[0].toStdString();
        EXPECT_TRUE(answers.Questions[1].contains(QStringLiteral("\"room 1.snd\" in /survey")))
            << answers.Questions[1].toStdString();
    }
    EXPECT_TRUE(SameWork(model(), firstWork));
    stop();

    start();
    {
        Answers answers({QStringLiteral("Restore")});
        m_form->OfferRecovery();
        ASSERT_EQ(answers.Questions.size(), 1);
    }
    EXPECT_TRUE(SameWork(model(), secondWork));
    stop();

    // Nothing is left to offer, and nothing of the windows is left in the folder.
    start();
    {
        Answers answers({});
        m_form->OfferRecovery();
        EXPECT_TRUE(answers.Questions.isEmpty());
    }
    stop();
    EXPECT_TRUE(folderEntries().isEmpty()) << folderEntries().join(QLatin1Char(' ')).toStdString();
}

TEST_F(RecoveryFileTest, RestoredWorkStaysUntilThisWindowKeepsACopyOfItsOwn)
{
    ASSERT_TRUE(QDir().mkpath(recoveryFolder()));
    writeFile(QStringLiteral("recovery/recovery.snd"), QByteArray::fromStdString(SpectrumText(55.0f)));
    start();
    // This window's own file cannot be written: a folder where its temporary file goes.
    const QFileInfo own(m_form->Recovery().FilePath());
    ASSERT_TRUE(QDir().mkpath(inFolder(QLatin1Char('.') + own.fileName() + QStringLiteral(".new"))));
    QSignalSpy off(&m_form->Recovery(), &RecoveryFile::Unavailable);
    {
        Answers answers({QStringLiteral("Restore")});
        m_form->OfferRecovery();
    }
    EXPECT_EQ(model().Nodes.Node[0].Y, 55.0f);
    EXPECT_EQ(off.count(), 1);
    EXPECT_TRUE(QFile::exists(inFolder(QStringLiteral("recovery.snd")))) << "offered again at the next start";
}

} // namespace
