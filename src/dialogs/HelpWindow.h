#pragma once

#include <QDialog>

class QTextBrowser;

namespace velmora {

/** The program's help: HTML pages shown in a browser window beside the main window. */
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    /** Help topic number of the page about the related product. */
    static constexpr int kRelatedTopic = 10000;

    explicit HelpWindow(QWidget* owner);

    /** Shows the contents page. */
    void ShowContents();
    /** Shows the page of a topic number; an unknown number shows the contents. */
    void ShowTopic(int topic);

    QTextBrowser* Browser = nullptr;

private:
    void ShowPage(const QString& page);
};

} // namespace velmora
