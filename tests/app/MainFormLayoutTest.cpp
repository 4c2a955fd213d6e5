#include "app/MainForm.h"
#include "support/FindChild.h"

#include "app/MainFormFixture.h"
#include "app/PanelText.h"
#include "dialogs/AboutBox.h"
#include "dialogs/HelpWindow.h"
#include "platform/CanvasWidget.h"
#include "platform/ImageCanvas.h"

#include <QLabel>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace velmora;

namespace {

class MainFormLayoutTest : public test::MainFormFixture
{
protected:
    /** Every control that must stay whole, in the window's coordinates. */
    QList<QWidget*> controls() const
    {
        TMainForm& form = *m_form;
        return {test::Find<QToolButton>(form, "LogoButton"),  test::Find<QToolButton>(form, "OpenButton"),
                test::Find<QToolButton>(form, "SaveButton"),  test::Find<QToolButton>(form, "ClipBdButton"),
                test::Find<QToolButton>(form, "PrintButton"), test::Find<QToolButton>(form, "SettingsButton"),
                test::Find<QToolButton>(form, "HelpButton"),  test::Find<QToolButton>(form, "ZoomInButton"),
                test::Find<QToolButton>(form, "FitButton"),   test::Find<QToolButton>(form, "ZoomOutButton"),
                test::Find<QToolButton>(form, "SetupButton"), test::Find<QLabel>(form, "StatusPanel"),
                test::Find<QLabel>(form, "ResultPanel")};
    }

    static bool fits(const QLabel* panel, const QString& text)
    {
        return panel->fontMetrics().horizontalAdvance(text) <= panel->contentsRect().width();
    }
};

// The widest texts the two lines carry: three-digit ratings and the highest band below -100 dB.
const QString kWidestResult = QStringLiteral(" dBA: 156.2, dBB: 161.2, dBC: 163.5, dBD: 161.7, NR: 151.5");
const QString kWidestStatus = QStringLiteral(" 16000Hz = -100.5dB");

} // namespace

TEST_F(MainFormLayoutTest, EveryTextAndButtonIsWholeAtTheDefaultAndTheSmallestSize)
{
    TMainForm& form = start();
    for (const QSize size : {form.size(), QSize(1, 1)}) {
        form.resize(size);
        QApplication::processEvents();
        SCOPED_TRACE(testing::Message() << form.width() << " x " << form.height());
        EXPECT_TRUE(fits(test::Find<QLabel>(form, "ResultPanel"), kWidestResult));
        EXPECT_TRUE(fits(test::Find<QLabel>(form, "StatusPanel"), kWidestStatus));
        for (QWidget* control : controls()) {
            const QRect inWindow(control->mapTo(&form, QPoint(0, 0)), control->size());
            EXPECT_TRUE(form.rect().contains(inWindow)) << control->metaObject()->className();
        }
        EXPECT_LE(test::Find<QWidget>(form, "GraphPanel")->geometry().bottom(),
                  test::Find<QLabel>(form, "ResultPanel")->y());
        EXPECT_TRUE(test::Find<QLabel>(form, "ResultPanel")->toolTip().isEmpty());
    }
}

TEST_F(MainFormLayoutTest, APanelTooNarrowForItsTextShowsItWholeAsATooltip)
{
    QLabel panel;
    panel.resize(60, 24);
    SetPanelText(panel, kWidestResult);
    EXPECT_EQ(panel.toolTip(), kWidestResult);
    panel.resize(1000, 24);
    SetPanelText(panel, kWidestResult);
    EXPECT_TRUE(panel.toolTip().isEmpty());
}

TEST_F(MainFormLayoutTest, TheBitmapFollowsThePanelBeyondTheOldLimit)
{
    TMainForm& form = start();
    for (const QSize size : {QSize(2400, 1500), QSize(500, 400), QSize(1700, 1300)}) {
        form.resize(size);
        QApplication::processEvents();
        const Draw2DClass& surface = m_context->Surface;
        const QImage& image = form.GraphImage().image();
        EXPECT_EQ(image.size(), QSize(test::Find<CanvasWidget>(form, "GraphCanvas")->ClientWidth(),
                                      test::Find<CanvasWidget>(form, "GraphCanvas")->ClientHeight()));
        EXPECT_EQ(image.size(), QSize(surface.Width, surface.Height));
        // The frame's far corner, right of the 16 kHz node and below the lowest level, is drawn.
        const TPoint2D corner = surface.WorldToPixel(surface.WorldMax.x, surface.WorldMin.y);
        EXPECT_EQ(image.pixel(static_cast<int>(corner.x) - 1, static_cast<int>(corner.y)),
                  ImageCanvas::toRgb(kWhite))
            << size.width() << " x " << size.height();
    }
}

TEST_F(MainFormLayoutTest, EveryButtonShowsItsHint)
{
    TMainForm& form = start();
    for (QWidget* control : controls()) {
        if (auto* button = qobject_cast<QToolButton*>(control)) {
            EXPECT_FALSE(button->toolTip().isEmpty()) << button->statusTip().toStdString();
        }
    }
    EXPECT_EQ(test::Find<QToolButton>(form, "SettingsButton")->toolTip(),
              QStringLiteral("Edit graph settings"));
}

TEST_F(MainFormLayoutTest, TheAboutBoxClosesAndStepsAsideForHelp)
{
    TMainForm& form = start();
    EXPECT_TRUE(test::Find<TAboutBox>(form, "AboutBox")->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    test::Find<TAboutBox>(form, "AboutBox")->open();
    ASSERT_TRUE(test::Find<TAboutBox>(form, "AboutBox")->isVisible());
    test::Find<TAboutBox>(form, "AboutBox")->ZentavoLink();
    EXPECT_FALSE(test::Find<TAboutBox>(form, "AboutBox")->isVisible())
        << "a modal box would block the help window";
    EXPECT_TRUE(test::Find<HelpWindow>(form, "Help")->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
