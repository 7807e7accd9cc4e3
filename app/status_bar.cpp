#include "app/status_bar.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <string_view>

#include "app/link_words.h"
#include "app/status_words.h"
#include "dialogs/language.h"

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

// The width `panel` needs for the widest of `texts`, at least `least`. Its size hint takes in the
// panel's minimum width, which the caller sets anew.
int widthFor(QLabel* panel, const QStringList& texts, int least)
{
    const QString shown = panel->text();
    panel->setMinimumWidth(0);
    int width = least;
    for (const QString& text : texts) {
        panel->setText(text);
        width = std::max(width, panel->sizeHint().width());
    }
    panel->setText(shown);
    return width;
}

// The short messages of panel 1, in German or in the language shown: every status without an
// argument, and the link warning. Sentences with a station's alias or a reason, and those of the
// error boxes, do not count.
QStringList shortMessages(bool german)
{
    using protocol::StatusKind;
    const char* warning = QT_TRANSLATE_NOOP("zelvo::app::StatusBar", "TNC nicht erreichbar");
    QStringList texts{german ? QString::fromUtf8(warning) : StatusBar::tr(warning)};
    for (int kind = 0; kind < protocol::kStatusKindCount; ++kind) {
        const auto k = static_cast<StatusKind>(kind);
        const char* sentence = protocol::statusFormat(k);
        if (k != StatusKind::EmptyRoster && k != StatusKind::ReceiveFaultUnknown && *sentence != '\0' &&
            std::string_view(sentence).find("%1") == std::string_view::npos)
            texts << (german ? QString::fromUtf8(sentence) : statusWords({k}));
    }
    return texts;
}

}  // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent)
{
    installScreenReaderRoles();
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
    online_ = addPanel(layout, kOnlineWidth);
    message_ = addPanel(layout, kMessageWidth);
    // Panel 2 takes the rest of the bar: at 20 px its text would not fit.
    away_ = addPanel(layout, 20);
    away_->setMaximumWidth(QWIDGETSIZE_MAX);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    announcer_ = new Announcer(this);
    dialogs::followLanguage(this, [this] { setTexts(); });
}

void StatusBar::setTexts()
{
    setAccessibleName(tr("Statuszeile"));
    if (fitted_)
        fitPanels();
    showOnline();
    showAway();
    showMessage();
    showHint();
    emit retranslated();
}

void StatusBar::fitPanels()
{
    fitted_ = true;
    online_->setFixedWidth(widthFor(online_, {tr("Online"), tr("Offline")}, kOnlineWidth));
    // Panel 1 keeps its width for the German messages (which the tool tip completes); another
    // language's are all shown whole.
    const QStringList messages = shortMessages(false);
    const bool german = messages == shortMessages(true);
    message_->setFixedWidth(german ? kMessageWidth : widthFor(message_, messages, kMessageWidth));
    away_->setMinimumWidth(widthFor(away_, {tr("AWAY"), tr("QRV")}, 20));
}

void StatusBar::ensureFitted()
{
    if (fitted_)
        return;
    fitPanels();
    showMessage();  // its tool tip depends on the width
}

void StatusBar::showEvent(QShowEvent* event)
{
    ensureFitted();
    QWidget::showEvent(event);
}

int StatusBar::neededWidth()
{
    ensureFitted();
    const int panels = online_->minimumWidth() + message_->minimumWidth() + away_->minimumWidth();
    return hint_->isHidden() ? panels : std::max(panels, hint_->minimumSizeHint().width());
}

void StatusBar::setOnline(bool online)
{
    const bool changed = online != isOnline_;
    isOnline_ = online;
    showOnline();
    if (changed)
        announcer_->announce(online_->accessibleName());
}

void StatusBar::showOnline()
{
    online_->setText(isOnline_ ? tr("Online") : tr("Offline"));
    online_->setAccessibleName(tr("Eigener Zustand: %1").arg(online_->text()));
}

void StatusBar::setMessage(const protocol::Status& status)
{
    status_ = status;
    showMessage();
    // Said again when it repeats: a second "Msg eingetroffen" is a second message.
    announcer_->announce(message_->text());
}

void StatusBar::setLinkWarnings(const std::vector<LinkTracker::Channel>& lost)
{
    const QStringList before = linkWarnings(lostLinks_);
    lostLinks_ = lost;
    showMessage();
    if (const QStringList warnings = linkWarnings(lost); warnings != before && !warnings.isEmpty())
        announcer_->announce(warnings.join(QLatin1Char('\n')));
}

void StatusBar::showMessage()
{
    const QString message = statusWords(status_);
    if (lostLinks_.empty()) {
        message_->setText(message);
        const int room = message_->minimumWidth() - 2 * message_->frameWidth() - message_->indent();
        const bool cut = fitted_ && message_->fontMetrics().horizontalAdvance(message) > room;
        message_->setToolTip(cut ? message : QString());
    } else {
        message_->setText(tr("TNC nicht erreichbar"));
        QStringList tip = linkWarnings(lostLinks_);
        if (!message.isEmpty())
            tip << message;
        message_->setToolTip(tip.join(QLatin1Char('\n')));
    }
    message_->setAccessibleName(tr("Meldung: %1").arg(message_->text()));
    message_->setAccessibleDescription(message_->toolTip());
}

void StatusBar::setAway(bool away)
{
    const bool changed = away != isAway_;
    isAway_ = away;
    showAway();
    if (changed)
        announcer_->announce(away_->accessibleName());
}

void StatusBar::showAway()
{
    away_->setText(isAway_ ? tr("AWAY") : tr("QRV"));
    away_->setAccessibleName(tr("Anwesenheit: %1").arg(away_->text()));
    away_->setFrameShadow(isAway_ ? QFrame::Raised : QFrame::Sunken);
}

void StatusBar::setHint(const char* source)
{
    hintSource_ = source;
    showHint();
    announcer_->announce(hint_->text());
}

void StatusBar::showHint()
{
    const QString text = hintSource_ != nullptr ? tr(hintSource_) : QString();
    hint_->setText(text);
    hint_->setVisible(!text.isEmpty());
}

QString StatusBar::panelText(int panel) const
{
    const QLabel* panels[] = {online_, message_, away_};
    return panel >= 0 && panel < 3 ? panels[panel]->text() : QString();
}

QString StatusBar::panelToolTip(int panel)
{
    ensureFitted();
    const QLabel* panels[] = {online_, message_, away_};
    return panel >= 0 && panel < 3 ? panels[panel]->toolTip() : QString();
}

QString StatusBar::panelAccessibleName(int panel) const
{
    const QLabel* panels[] = {online_, message_, away_};
    return panel >= 0 && panel < 3 ? panels[panel]->accessibleName() : QString();
}

void StatusBar::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    // Panel 2 begins at kAwaySwitchLeft while the German texts fit; wider panels move it.
    const int left = online_->width() + message_->width();
    const int right = left + kAwaySwitchRight - kAwaySwitchLeft;
    // The hint's row is no part of the panels.
    if (at.x() >= left && at.x() <= right && at.y() >= away_->y())
        emit awaySwitchClicked();
}

void StatusBar::mouseDoubleClickEvent(QMouseEvent*)
{
    emit doubleClicked();
}

}  // namespace zelvo::app
