#include "app/status_bar.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

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
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    hint_ = new QLabel;
    hint_->setTextFormat(Qt::PlainText);
    hint_->setWordWrap(true);
    hint_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    hint_->setIndent(1);
    hint_->hide();
    rows->addWidget(hint_);
    auto* layout = new QHBoxLayout;
    rows->addLayout(layout);
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

void StatusBar::setHint(const QString& text)
{
    hint_->setText(text);
    hint_->setVisible(!text.isEmpty());
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
    const QPoint at = event->position().toPoint();
    // The hint's row is no part of the panels.
    if (at.x() >= kAwaySwitchLeft && at.x() <= kAwaySwitchRight && at.y() >= away_->y())
        emit awaySwitchClicked();
}

void StatusBar::mouseDoubleClickEvent(QMouseEvent*)
{
    emit doubleClicked();
}

}  // namespace zelvo::app
