#include "dialogs/AboutBox.h"

#include "dialogs/ControlsFont.h"
#include "dialogs/HelpWindow.h"

#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace velmora {

namespace {

/** A picture that runs an action when clicked. */
class ClickablePicture : public QLabel
{
public:
    ClickablePicture(const QString& picture, const QRect& geometry, QWidget* parent,
                     std::function<void()> onClick)
        : QLabel(parent), m_onClick(std::move(onClick))
    {
        setPixmap(QIcon(picture).pixmap(geometry.size()));
        setGeometry(geometry);
        setCursor(Qt::UpArrowCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            m_onClick();
    }

private:
    std::function<void()> m_onClick;
};

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Velmora: About..."));
    setFont(ControlsFont());
    setModal(true);
    setFixedSize(431, 291);

    ZentavoImage = new ClickablePicture(QStringLiteral(":/icons/zentavo_banner.svg"), {7, 8, 416, 71}, this,
                                        [this] { ZentavoLink(); });
    ZentavoBare = new ClickablePicture(QStringLiteral(":/icons/zentavo_logo.svg"), {13, 12, 82, 62}, this,
                                       [this] { ZentavoLink(); });
    LogoImage = new ClickablePicture(QStringLiteral(":/icons/logo.svg"), {360, 215, 48, 48}, this,
                                     [this] { CloseAboutBox(); });

    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setGeometry(6, 217, 285, 72);
    Memo1->setFont(QFont(QStringLiteral("Arial"), 8));
    Memo1->setStyleSheet(QStringLiteral("QPlainTextEdit { background: palette(button); color: black; }"));
    Memo1->setPlainText(QStringLiteral("Velmora %1\n"
                                       "Sound spectra: weighted levels, Noise Rating and\n"
                                       "Sound Transmission Class, with overlays.\n"
                                       "Copyright Pellinor. All rights reserved.")
                            .arg(QStringLiteral(VELMORA_VERSION)));

    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button1->setGeometry(342, 266, 83, 21);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    FlashTimer = new QTimer(this);
    FlashTimer->setInterval(600);
    connect(FlashTimer, &QTimer::timeout, this, &TAboutBox::ToggleTitle);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FlashTimer->start();
}

void TAboutBox::ToggleTitle()
{
    if (isVisible())
        ZentavoBare->setVisible(!ZentavoBare->isVisible());
}

void TAboutBox::CloseAboutBox()
{
    FlashTimer->stop();
    reject();
}

void TAboutBox::ZentavoLink()
{
    // A modal box would block all input to the help window, so it goes first.
    CloseAboutBox();
    emit HelpTopicRequested(HelpWindow::kRelatedTopic);
}

} // namespace velmora
