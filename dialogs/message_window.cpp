#include "dialogs/message_window.h"

#include <QCheckBox>
#include <QDate>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>

#include "dialogs/conversation.h"
#include "dialogs/language.h"
#include "dialogs/message_boxes.h"
#include "dialogs/text_field.h"
#include "dialogs/ui_text.h"
#include "protocol/commands.h"

namespace zelvo::dialogs {
namespace {

QColor headerColour(HistoryKind kind)
{
    switch (kind) {
    case HistoryKind::Received: return QColor(255, 0, 0);
    case HistoryKind::Delivered: return QColor(0, 0, 255);
    case HistoryKind::Waiting: return QColor(0, 128, 128);
    }
    return {};
}

bool isAltS(const QKeyEvent& key)
{
    return key.key() == Qt::Key_S && key.modifiers() == Qt::AltModifier;
}

// The day of each kept line that is not today, as the window's language writes a short date but
// with the whole year (a kept line may be years old).
std::vector<std::string> keptDays(const std::vector<std::string>& keptDates)
{
    const std::string_view language = shownLanguage();
    const QLocale locale(QString::fromLatin1(language.data(), static_cast<qsizetype>(language.size())));
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    const QDate today = QDate::currentDate();
    std::vector<std::string> days;
    for (const std::string& kept : keptDates) {
        const QDate date = QDate::fromString(QString::fromStdString(kept), Qt::ISODate);
        days.push_back(date.isValid() && date != today ? toAnsi(locale.toString(date, format))
                                                       : std::string());
    }
    return days;
}

}  // namespace

// Forgets the window's station when its row goes, so that no later entry at the same address is
// taken for it.
class MessageWindow::RosterWatch : public app::RosterObserver {
public:
    explicit RosterWatch(MessageWindow& window) : window_(window) {}
    void rowsAboutToBeRemoved(int first, int last) override
    {
        const int row = window_.station_.roster.indexOf(window_.entry_);
        if (row >= first && row <= last)
            window_.forget();
    }

private:
    MessageWindow& window_;
};

MessageWindow::MessageWindow(protocol::Station& station, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      station_(station),
      watch_(std::make_unique<RosterWatch>(*this)),
      history_(new RichTextField(this)),
      counterLabel_(new QLabel(this)),
      counter_(new QLabel(QStringLiteral("255"), this)),
      sendAll_(new QCheckBox(this)),
      input_(new TextField(this)),
      cancel_(new QPushButton(this)),
      send_(new QPushButton(this)),
      editMenu_(new QMenu(this))
{
    history_->setObjectName("RichRX");
    history_->setReadOnly(true);
    history_->setUndoRedoEnabled(false);
    history_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    history_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    counter_->setObjectName("LabZeichen");
    counter_->setMinimumWidth(counter_->fontMetrics().horizontalAdvance(QStringLiteral("-0000")));
    sendAll_->setObjectName("CheckSendAll");
    input_->setObjectName("SendMemo");
    input_->setTabChangesFocus(true);
    input_->setFixedHeight(input_->fontMetrics().lineSpacing() * 4 + 12);
    cancel_->setObjectName("BtnAbbrechen");
    send_->setObjectName("BtnSend");
    send_->setDefault(true);
    send_->setEnabled(false);
    editMenu_->setObjectName("PopupMenu1");

    layOut();
    followLanguage(this, [this] { setTexts(); });
    resize(380, 340);

    connectControls();
    station_.roster.addObserver(watch_.get());
}

void MessageWindow::layOut()
{
    auto* counterRow = new QHBoxLayout;
    counterRow->addWidget(counterLabel_);
    counterRow->addWidget(counter_);
    counterRow->addStretch();
    counterRow->addWidget(sendAll_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    buttons->addWidget(send_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(history_, 1);
    layout->addLayout(counterRow);
    layout->addWidget(input_);
    layout->addLayout(buttons);
}

void MessageWindow::connectControls()
{
    connect(input_, &QPlainTextEdit::textChanged, this, &MessageWindow::inputChanged);
    connect(send_, &QPushButton::clicked, this, &MessageWindow::sendClick);
    connect(cancel_, &QPushButton::clicked, this, &MessageWindow::reject);
    for (QWidget* field : {static_cast<QWidget*>(history_), static_cast<QWidget*>(input_)}) {
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, this,
                [this, field](const QPoint& pos) { showEditMenu(field, pos); });
    }
    // Alt+S works wherever the focus is.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

MessageWindow::~MessageWindow()
{
    station_.roster.removeObserver(watch_.get());
}

void MessageWindow::openFor(app::TUserEntry& entry)
{
    entry_ = &entry;
    call_ = fromAnsi(entry.call);
    setTitle();
    unreadText_ = entry.unread ? newestReceived() : QString();
    describeInput();
    entry.unread = false;
    station_.roster.notifyChanged(entry);
    input_->clear();
    send_->setEnabled(false);
    counter_->setText(QStringLiteral("255"));
    fillHistory();
    input_->setFocus();
}

int MessageWindow::showFor(app::TUserEntry& entry)
{
    openFor(entry);
    return exec();
}

void MessageWindow::setTexts()
{
    counterLabel_->setText(tr("Zeichen übrig:"));
    sendAll_->setText(tr("Nachricht an alle senden"));
    sendAll_->setAccessibleDescription(tr("Der Text geht an jede Station, die nicht Offline ist"));
    cancel_->setText(tr("Abbrechen"));
    send_->setText(tr("Senden"));
    send_->setAccessibleDescription(tr("Sendet den Text (Alt+S)"));
    // A screen reader reads the history and the input by name: their frames say nothing.
    history_->setAccessibleName(tr("Verlauf"));
    history_->setAccessibleDescription(tr("Die empfangenen und gesendeten Texte, der neueste zuletzt"));
    input_->setAccessibleName(tr("Nachricht"));
    describeInput();
    // The counter is spoken with its caption, which a reader would otherwise not tie to it.
    showCount();
    setTitle();
    fillHistory();  // the dates of kept lines
}

// The focus opens on the input, whose description a screen reader reads with it: a text not read
// yet comes first there, as the history is two Shift+Tabs away.
void MessageWindow::describeInput()
{
    const QString use = tr("Der Text, der gesendet wird; Alt+S sendet ihn");
    input_->setAccessibleDescription(unreadText_.isEmpty() ? use
                                                           : tr("Neu von %1: %2").arg(call_, unreadText_) +
                                                                 QStringLiteral(". ") + use);
}

QString MessageWindow::newestReceived() const
{
    const std::vector<HistoryItem> items =
        historyItems(entry_->call, entry_->rxBuffer, entry_->txBuffer, station_.settings.myCall(), {});
    for (auto item = items.rbegin(); item != items.rend(); ++item) {
        if (item->kind == HistoryKind::Received)
            return fromAnsiLines(item->text);
    }
    return {};
}

void MessageWindow::showCount()
{
    counter_->setAccessibleName(tr("Zeichen übrig: %1").arg(counter_->text()));
}

void MessageWindow::setTitle()
{
    setWindowTitle(tr("Dialog mit %1").arg(call_));
}

void MessageWindow::conversationChanged(const app::TUserEntry& entry)
{
    if (&entry == entry_ && isVisible())
        fillHistory();
}

void MessageWindow::fillHistory()
{
    history_->setUpdatesEnabled(false);
    history_->clear();
    if (entry_ != nullptr) {
        QTextCursor cursor(history_->document());
        const std::vector<HistoryItem> items =
            historyItems(entry_->call, entry_->rxBuffer, entry_->txBuffer, station_.settings.myCall(),
                         keptDays(entry_->keptDates));
        bool first = true;
        for (const HistoryItem& item : items) {
            QTextCharFormat header;
            header.setFontWeight(QFont::Bold);
            header.setForeground(headerColour(item.kind));
            if (!first)
                cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            first = false;
            cursor.insertText(fromAnsi(item.header), header);
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            cursor.insertText(fromAnsiLines(item.text), QTextCharFormat());
        }
    }
    history_->moveCursor(QTextCursor::End);
    history_->ensureCursorVisible();
    history_->setUpdatesEnabled(true);
}

std::string MessageWindow::typedText() const
{
    return toAnsiLines(input_->toPlainText());
}

void MessageWindow::inputChanged()
{
    const std::string text = typedText();
    counter_->setText(QString::number(charactersLeft(text)));
    showCount();
    send_->setEnabled(sendEnabled(text));
}

void MessageWindow::sendClick()
{
    const std::string text = typedText();
    if (entry_ == nullptr ||
        (isShortText(text) &&
         !askYesNo(this, tr("Es werden weniger als 3 Zeichen gesendet. Trotzdem senden ?"))))
        return;
    // The engine refuses texts under two bytes: then nothing was queued and the window stays.
    if (!protocol::queueMessage(station_, *entry_, text, sendAll_->isChecked()))
        return;
    if (station_.settings.event(TEventKind::evMessageSent).popup)
        emit hideRosterRequested();
    accept();
}

void MessageWindow::forget()
{
    entry_ = nullptr;
    history_->clear();
    if (isVisible())
        reject();
}

void MessageWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    input_->setFocus();
}

bool MessageWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isAltS(*static_cast<QKeyEvent*>(event)))
        return true;  // the release sends; the press must not type an "s"
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isAltS(*key) && !key->isAutoRepeat()) {
            sendClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MessageWindow::showEditMenu(QWidget* field, const QPoint& pos)
{
    field->setFocus();
    const bool editable = field == input_;
    editMenu_->clear();
    const auto add = [&](const QString& text, const char* slot, bool enabled) {
        QAction* action = editMenu_->addAction(text, field, slot);
        action->setEnabled(enabled);
    };
    add(tr("&Rückgängig"), SLOT(undo()), editable);
    editMenu_->addSeparator();
    add(tr("&Ausschneiden"), SLOT(cut()), editable);
    add(tr("&Kopieren"), SLOT(copy()), true);
    // Only what the clipboard holds can be pasted; it holds nothing until something is copied.
    add(tr("&Einfügen"), SLOT(paste()), editable && input_->canPaste());
    QAction* clear =
        editMenu_->addAction(tr("&Löschen"), input_, [this] { input_->textCursor().removeSelectedText(); });
    clear->setEnabled(editable);
    editMenu_->addSeparator();
    add(tr("Alles &markieren"), SLOT(selectAll()), true);
    editMenu_->popup(field->mapToGlobal(pos));
}

}  // namespace zelvo::dialogs
