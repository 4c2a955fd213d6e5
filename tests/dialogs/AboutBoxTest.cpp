#include "dialogs/AboutBox.h"

#include "app/MainFormFixture.h"
#include "dialogs/HelpWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

using namespace velmora;

TEST(AboutBox, FlashesItsSmallLogoOnlyWhileShown)
{
    TAboutBox box(nullptr);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Velmora: About..."));
    EXPECT_EQ(box.size(), QSize(431, 291));
    EXPECT_EQ(box.FlashTimer->interval(), 600);
    EXPECT_TRUE(box.ZentavoBare->isVisibleTo(&box));

    box.ToggleTitle();
    EXPECT_TRUE(box.ZentavoBare->isVisibleTo(&box)) << "a tick while the box is hidden does nothing";
    box.show();
    EXPECT_TRUE(box.FlashTimer->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&box] { return !box.ZentavoBare->isVisible(); }, 5000))
        << "the timer's tick hides the small logo";
    box.ToggleTitle();
    EXPECT_TRUE(box.ZentavoBare->isVisible());

    box.Button1->click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_TRUE(box.FlashTimer->isActive()) << "OK leaves the timer idling";
}

TEST(AboutBox, BannerAsksForTheHelpTopicAndTheLogoCloses)
{
    TAboutBox box(nullptr);
    HelpWindow help(nullptr);
    QObject::connect(&box, &TAboutBox::HelpTopicRequested, &help, &HelpWindow::ShowTopic);
    box.show();
    QTest::mouseClick(box.ZentavoImage, Qt::LeftButton);
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(help.Browser->source().toString().endsWith(QStringLiteral("related.html")));
    EXPECT_FALSE(box.isVisible()) << "the box steps aside, as a modal box would block the help window";
    help.hide();
    box.show();
    QTest::mouseClick(box.ZentavoBare, Qt::LeftButton);
    EXPECT_TRUE(help.isVisible());

    box.show();
    QTest::mouseClick(box.LogoImage, Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Rejected);
    EXPECT_FALSE(box.FlashTimer->isActive());
}
