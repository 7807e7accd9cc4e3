#include "dialogs/about_box.h"

#include "art/pictures.h"
#include "dialogs/language.h"
#include "dialogs/version_info.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace zelvo::dialogs {

namespace {

constexpr QSize kClientSize(306, 196);
constexpr int kMainIcon = 6;

}  // namespace

AboutBox::AboutBox(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      version_(new QLabel(this)),
      purpose_(new QLabel(this)),
      help_(new QLabel(this))
{
    auto* icon = new QLabel(this);
    icon->setPixmap(art::trayPicture(kMainIcon).pixmap(48));
    auto* name = new QLabel(QStringLiteral("Zelvo"), this);
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.8);
    name->setFont(big);
    const TVersionInfoResource info(TVersionInfoResource::ownProgramFile());
    number_ = QString::fromStdString(info.fileVersion().text());
    version_->setObjectName(QStringLiteral("version"));
    version_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* title = new QVBoxLayout;
    title->addWidget(name);
    title->addWidget(version_);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(8);
    top->addLayout(title, 1);

    purpose_->setWordWrap(true);
    help_->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addWidget(purpose_);
    layout->addStretch(1);
    layout->addWidget(help_);

    followLanguage(this, [this] { setTexts(); });
    move(screen()->geometry().center() - rect().center());
}

void AboutBox::setTexts()
{
    setWindowTitle(tr("Über Zelvo"));
    version_->setText(number_.isEmpty() ? QString() : tr("Version %1").arg(number_));
    purpose_->setText(tr("Präsenz- und Nachrichtenprogramm für Packet-Radio: zeigt, wer online ist, und "
                         "tauscht kurze Nachrichten mit Empfangsbestätigung über AX.25-UI-Frames aus."));
    help_->setText(tr("Hilfe mit F1 in der Stationsliste."));
    fitTexts();
}

// The box keeps its size while the texts fit, and grows only as far as a longer text needs: wider
// for the widest line that cannot wrap, taller for the wrapped text at that width.
void AboutBox::fitTexts()
{
    layout()->activate();
    const int width = std::max(kClientSize.width(), layout()->totalMinimumSize().width());
    const int height = std::max(
        {kClientSize.height(), layout()->totalHeightForWidth(width), layout()->totalMinimumSize().height()});
    setFixedSize(width, height);
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
