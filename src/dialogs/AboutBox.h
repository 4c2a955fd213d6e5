#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace velmora {

/**
 * The About box: product lines, the program's logo, and a banner of the related product whose
 * small logo flashes every 600 ms while the box is open. A click on the banner asks for its
 * help topic; a click on the program's logo closes the box.
 */
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent);

    /** Flashes the small logo over the banner while the box is shown. */
    void ToggleTitle();
    void CloseAboutBox();
    void ZentavoLink();

    QLabel* ZentavoImage = nullptr;
    QLabel* ZentavoBare = nullptr;
    QLabel* LogoImage = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;
    QTimer* FlashTimer = nullptr;

signals:
    /** The banner was clicked: show this help topic; the box has closed itself first. */
    void HelpTopicRequested(int topic);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace velmora
