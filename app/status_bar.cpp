#include "app/status_bar.h"

#include <QHBoxLayout>
#include <QMouseEvent>

namespace zelvo::app {
namespace {

QLabel* addPanel(QHBoxLayout* layout, int width)
{
    auto* panel = new QLabel;
    panel->setTextFormat(Qt::PlainText);
    panel->setFixedWidth(width);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(1);
    layout->addWidget(panel);
    return panel;
}

}  // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent)
{
    // The panels' widths were made for a narrower font than today's defaults.
    QFont narrow = font();
    narrow.setStretch(QFont::Condensed);
    setFont(narrow);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    online_ = addPanel(layout, 35);
    message_ = addPanel(layout, 105);
    // Panel 2 takes the rest of the bar: at 20 px its text would not fit.
    away_ = addPanel(layout, 20);
    away_->setMinimumWidth(20);
    away_->setMaximumWidth(QWIDGETSIZE_MAX);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setOnline(false);
    setAway(false);
}

void StatusBar::setOnline(bool online)
{
    online_->setText(online ? QStringLiteral("Online") : QStringLiteral("Offline"));
}

void StatusBar::setMessage(const QString& text)
{
    messageText_ = text;
    showMessage();
}

void StatusBar::setLinkWarnings(const QStringList& warnings)
{
    linkWarnings_ = warnings;
    showMessage();
}

void StatusBar::showMessage()
{
    if (linkWarnings_.isEmpty()) {
        message_->setText(messageText_);
        message_->setToolTip({});
        return;
    }
    message_->setText(tr("TNC nicht erreichbar"));
    QStringList tip = linkWarnings_;
    if (!messageText_.isEmpty())
        tip << messageText_;
    message_->setToolTip(tip.join(QLatin1Char('\n')));
}

void StatusBar::setAway(bool away)
{
    away_->setText(away ? QStringLiteral("AWAY") : QStringLiteral("QRV"));
    away_->setFrameShadow(away ? QFrame::Raised : QFrame::Sunken);
}

QString StatusBar::panelText(int panel) const
{
    const QLabel* panels[] = {online_, message_, away_};
    return panel >= 0 && panel < 3 ? panels[panel]->text() : QString();
}

QString StatusBar::panelToolTip(int panel) const
{
    const QLabel* panels[] = {online_, message_, away_};
    return panel >= 0 && panel < 3 ? panels[panel]->toolTip() : QString();
}

void StatusBar::mouseReleaseEvent(QMouseEvent* event)
{
    const int x = event->position().toPoint().x();
    if (x >= kAwaySwitchLeft && x <= kAwaySwitchRight)
        emit awaySwitchClicked();
}

void StatusBar::mouseDoubleClickEvent(QMouseEvent*)
{
    emit doubleClicked();
}

}  // namespace zelvo::app
