#include "app/ComparisonFiles.h"

#include "app/CompareView.h"
#include "app/MainFormFixture.h"
#include "edit/ComparisonEdits.h"
#include "graph/ComparisonPlot.h"
#include "io/DataFile.h"
#include "model/ComparisonTable.h"
#include "model/ModelTestSupport.h"
#include "support/FindChild.h"

#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTableWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include <random>

namespace velmora {
namespace {

class ComparisonTest : public test::MainFormFixture
{
protected:
    /** Writes a data file of random levels around a falling line on the band set; its local path. */
    std::string position(const QString& name, BandSet bands, unsigned seed)
    {
        std::mt19937 random(seed);
        std::uniform_real_distribution<float> spread(-4.0f, 4.0f);
        TSpectrumModel file = test::Spectrum(bands, 0.0f);
        for (int k = 0; k < file.Nodes.Count; ++k)
            file.Nodes.Node[k].Y = FileLevel(65.0f - 1.2f * static_cast<float>(k) + spread(random));
        const std::string path = LocalPath(m_dir.filePath(name));
        EXPECT_TRUE(WriteDataFile(file, path));
        return path;
    }

    std::string fivePositions()
    {
        std::string words = "-compare";
        for (int i = 0; i < 5; ++i)
            words += " " + position(QStringLiteral("pos%1.snd").arg(i + 1), BandSet::Octave, 100 + i);
        return words;
    }

    ComparisonSet& set() { return m_context->Comparison; }
    QAction* action(const char* name) { return m_form->Actions().Find(name); }

    /** Opens the Compare menu as a user would, so that it lists the spectra. */
    QMenu* compareMenu()
    {
        auto* menu = test::Find<QMenu>(*m_form, "CompareMenu");
        emit menu->aboutToShow();
        return menu;
    }

    /** Drops files on the window as a file manager would, with the modifier keys given. */
    void drop(const QStringList& paths, Qt::KeyboardModifiers modifiers)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        const QPointF at(m_form->width() / 2.0, m_form->height() / 2.0);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_form.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_form.get(), &dropped);
        QApplication::processEvents();
    }

    /** A cell of the Compare view's table as it reads. */
    QString cell(int row, int column)
    {
        const QTableWidgetItem* item = test::Find<QTableWidget>(*m_form, "CompareTable")->item(row, column);
        return item ? item->text() : QString();
    }
};

TEST_F(ComparisonTest, FivePositionsAveragedUndoneAndComparedWithATarget)
{
    start(fivePositions());
    ASSERT_EQ(set().Size(), 5u);
    EXPECT_EQ(set()[4].name, "pos5.snd");
    // The legend and each curve show: the second style's orange is on the graph.
    const QRgb orange = ImageCanvas::toRgb(ComparisonStyle(set()[1].style).colour);
    const QImage shown = picture();
    bool found = false;
    for (int y = 0; y < shown.height() && !found; ++y)
        for (int x = 0; x < shown.width() && !found; ++x)
            found = shown.pixel(x, y) == orange;
    EXPECT_TRUE(found);

    const TSpectrumModel before = model();
    const SetAverage average = AverageOfShown(set(), MeanKind::Energetic);
    action("AverageEnergetic")->trigger();
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(model().Nodes.Node[k].Y, average.levels[k]) << k;
    EXPECT_TRUE(m_form->isWindowModified());
    EXPECT_EQ(set().EditedNote(model()), average.note);
    EXPECT_EQ(m_form->Document().UndoStack().undoText(), QStringLiteral("Average"));

    action("UndoAction")->trigger();
    EXPECT_TRUE(test::SameData(model(), before)) << "the undo gives the edited spectrum back bit for bit";
    EXPECT_EQ(set().EditedNote(model()), "");
    action("RedoAction")->trigger();
    EXPECT_EQ(set().EditedNote(model()), average.note);

    // A third-octave target joins the octave set converted, and the Compare view lists it.
    const std::string target = position(QStringLiteral("target.snd"), BandSet::Third, 7);
    EXPECT_EQ(m_form->Comparison().AddFiles({target}, true), 1);
    ASSERT_EQ(set().Size(), 6u);
    EXPECT_TRUE(set()[5].Converted(set().Bands()));
    action("CompareViewAction")->trigger();
    auto* view = test::Find<CompareView>(*m_form, "CompareView");
    ASSERT_TRUE(view->isVisible());
    EXPECT_EQ(cell(0, 0), QStringLiteral("63"));
    EXPECT_EQ(cell(0, 1), QString::fromStdString(ComparisonNumber(model().Nodes.Node[0].Y, 1)));
    // Columns: Hz, Edited, then each spectrum and its difference from the edited one.
    const int targetColumn = 2 + 2 * 5;
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(cell(k, targetColumn), QString::fromStdString(ComparisonNumber(set()[5].levels[k], 1)));
        EXPECT_EQ(
            cell(k, targetColumn + 1),
            QString::fromStdString(ComparisonNumber(
                static_cast<double>(set()[5].levels[k]) - static_cast<double>(model().Nodes.Node[k].Y), 1)));
    }
    // The target as the reference: the edited spectrum's column gets the difference instead.
    view->Reference->setCurrentIndex(6);
    EXPECT_EQ(cell(0, 2), QString::fromStdString(ComparisonNumber(
                              static_cast<double>(model().Nodes.Node[0].Y) - set()[5].levels[0], 1)));
    EXPECT_EQ(test::Find<QTableWidget>(*m_form, "CompareTable")->columnCount(), 1 + 2 * 7 - 1);
}

TEST_F(ComparisonTest, ACtrlDropAddsEveryFileToTheSetAPlainDropOpensTheFirst)
{
    start();
    const QString a = PathFromLocal(position(QStringLiteral("a.snd"), BandSet::Octave, 1));
    const QString b = PathFromLocal(position(QStringLiteral("b.snd"), BandSet::Third, 2));
    drop({a, b}, Qt::ControlModifier);
    ASSERT_EQ(set().Size(), 2u);
    EXPECT_EQ(set()[1].name, "b.snd");
    EXPECT_EQ(BandSetOf(model()), BandSet::Octave) << "the edited spectrum stays";
    drop({b}, Qt::NoModifier);
    EXPECT_EQ(BandSetOf(model()), BandSet::Third);
    // The set follows the band set it opened in.
    EXPECT_EQ(set().Bands(), BandSet::Third);
    EXPECT_FALSE(set()[1].Converted(set().Bands()));
    EXPECT_TRUE(set()[0].Converted(set().Bands()));
}

TEST_F(ComparisonTest, EachSpectrumsMenuHidesMakesEditedAndRemovesFromTheMenuAndTheLegend)
{
    start(fivePositions());
    QMenu* menu = compareMenu();
    auto* second = test::Find<QMenu>(*m_form, "ComparedSpectrum2");
    ASSERT_EQ(second->title(), QStringLiteral("&2 pos2.snd"));
    QStringList items;
    for (QAction* item : second->actions())
        items << item->text();
    EXPECT_EQ(items, (QStringList{"&Shown", "&Make Edited", "&Remove"}));
    second->actions()[0]->trigger();
    EXPECT_FALSE(set()[1].shown);
    EXPECT_EQ(set().ShownCount(), 4u);

    compareMenu();
    test::Find<QMenu>(*m_form, "ComparedSpectrum3")->actions()[1]->trigger();
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(model().Nodes.Node[k].Y, set()[2].levels[k]);
    EXPECT_EQ(m_form->Document().UndoStack().undoText(), QStringLiteral("Make Edited"));

    // A right press on a spectrum's row of the legend opens its menu.
    const std::vector<LegendRow> rows = LegendLayout(set(), set().EditedNote(model()), m_context->Surface);
    ASSERT_EQ(rows.size(), 2u + 4u);
    EXPECT_EQ(rows[2].text, "pos1.snd");
    m_form->Input().HandleMouseDown(Qt::RightButton, rows[3].left + 2, rows[3].top + 2);
    auto* legendMenu = test::Find<QMenu>(*m_form, "LegendMenu");
    ASSERT_TRUE(legendMenu->isVisible());
    legendMenu->actions()[2]->trigger();
    legendMenu->close();
    ASSERT_EQ(set().Size(), 4u);
    EXPECT_EQ(set()[2].name, "pos4.snd") << "pos3.snd, the third shown, was removed";

    action("HideAllCompared")->trigger();
    EXPECT_EQ(set().ShownCount(), 0u);
    compareMenu();
    EXPECT_FALSE(action("AverageEnergetic")->isEnabled()) << "nothing shows to average";
    action("RemoveAllCompared")->trigger();
    EXPECT_TRUE(set().Empty());
    menu = compareMenu();
    EXPECT_EQ(menu->findChildren<QMenu*>().size(), 0) << "no spectra are listed";
}

TEST_F(ComparisonTest, SaveComparisonWritesAListThatCompareWithOpens)
{
    start(fivePositions());
    const QString list = m_dir.filePath(QStringLiteral("survey.lst"));
    const auto choose = [](const QString& path) {
        test::OnNextModal([path](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    };
    choose(list);
    action("SaveComparison")->trigger();
    QFile saved(list);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(saved.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines[0].startsWith(u'#'));
    EXPECT_EQ(lines[1], m_dir.filePath(QStringLiteral("pos1.snd")));

    action("RemoveAllCompared")->trigger();
    choose(list);
    action("CompareWith")->trigger();
    ASSERT_EQ(set().Size(), 5u);
    EXPECT_EQ(set()[0].name, "pos1.snd");
    EXPECT_EQ(set()[4].name, "pos5.snd");
}

} // namespace
} // namespace velmora
