#include "dialogs/HelpWindow.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace velmora {

HelpWindow::HelpWindow(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Velmora: Help"));
    setModal(false);
    resize(620, 560);
    Browser = new QTextBrowser(this);
    Browser->setSearchPaths({QStringLiteral(":/help")});
    Browser->setOpenLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Browser);
}

void HelpWindow::ShowContents()
{
    ShowPage(QStringLiteral("index.html"));
}

void HelpWindow::ShowTopic(int topic)
{
    ShowPage(topic == kRelatedTopic ? QStringLiteral("related.html") : QStringLiteral("index.html"));
}

void HelpWindow::ShowPage(const QString& page)
{
    Browser->setSource(QUrl(page));
    show();
    raise();
    activateWindow();
}

} // namespace velmora
