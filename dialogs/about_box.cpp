#include "dialogs/about_box.h"

#include "art/pictures.h"
#include "dialogs/version_info.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace zelvo::dialogs {

namespace {

constexpr QSize kClientSize(306, 196);
constexpr int kMainIcon = 6;

}  // namespace

AboutBox::AboutBox(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Über Zelvo"));
    setFixedSize(kClientSize);

    auto* icon = new QLabel(this);
    icon->setPixmap(art::trayPicture(kMainIcon).pixmap(48));
    auto* name = new QLabel(QStringLiteral("Zelvo"), this);
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.8);
    name->setFont(big);
    const TVersionInfoResource info(TVersionInfoResource::ownProgramFile());
    const QString number = QString::fromStdString(info.fileVersion().text());
    auto* version = new QLabel(number.isEmpty() ? QString() : QStringLiteral("Version ") + number, this);
    version->setObjectName(QStringLiteral("version"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* title = new QVBoxLayout;
    title->addWidget(name);
    title->addWidget(version);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(8);
    top->addLayout(title, 1);

    auto* purpose = new QLabel(QStringLiteral("Präsenz- und Nachrichtenprogramm für Packet-Radio: "
                                              "zeigt, wer online ist, und tauscht kurze Nachrichten "
                                              "mit Empfangsbestätigung über AX.25-UI-Frames aus."),
                               this);
    purpose->setWordWrap(true);
    auto* help = new QLabel(QStringLiteral("Hilfe mit F1 in der Stationsliste."), this);
    help->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addWidget(purpose);
    layout->addStretch(1);
    layout->addWidget(help);

    move(screen()->geometry().center() - rect().center());
}

AboutBox* AboutBox::showFor(QWidget* owner)
{
    auto* box = owner->findChild<AboutBox*>(QString(), Qt::FindDirectChildrenOnly);
    if (!box)
        box = new AboutBox(owner);
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

}  // namespace zelvo::dialogs
