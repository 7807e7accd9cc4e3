// The message window offscreen: what it shows on opening, the coloured history, the counter and
// "Senden", the short-text question and Alt+S, the edit menu, sending to all, and which station it refreshes.
#include "dialogs/message_window.h"

#include "dialogs/language.h"
#include "tests/dialogs/window_support.h"
#include "tests/protocol/station_harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

namespace zelvo::dialogs {
namespace {

using app::TStationState;
using testing::child;

class MessageWindowTest : public ::testing::Test {
protected:
    QPlainTextEdit& input() { return child<QPlainTextEdit>(window_, "SendMemo"); }
    void open(app::TUserEntry& entry)
    {
        window_.openFor(entry);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }
    void type(const QString& text)
    {
        input().clear();
        const QStringList lines = text.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(&input(), Qt::Key_Return);
            QTest::keyClicks(&input(), lines[i]);
        }
    }

    testing::StationHarness h_;
    testing::BoxAnswers boxes_;
    MessageWindow window_{h_.station};
    app::TUserEntry& a_ = h_.add("DB0ABC-1");
};

// Opened for an unread text, the input (which has the focus) names the newest received text first
// for a screen reader; opened again once read, only what the field is for.
TEST_F(MessageWindowTest, OpensForTheStationWithTheInputReadyAndCounts)
{
    a_.unread = true;
    open(a_);
    EXPECT_FALSE(a_.unread);
    EXPECT_EQ(QApplication::focusWidget(), &input());
    EXPECT_TRUE(child<QTextEdit>(window_, "RichRX").document()->isEmpty());
    const QString use = "Der Text, der gesendet wird; Alt+S sendet ihn";
    EXPECT_EQ(input().accessibleDescription(), use);
    a_.rxBuffer = {"R12:00:00 erste", "T12:01:00 Antwort",
                   "R12:02:00 Gr\xFC\xDF"
                   "e\r\nzur\xFC"
                   "ck"};
    a_.unread = true;
    open(a_);
    EXPECT_EQ(input().accessibleDescription(), "Neu von DB0ABC: Grüße\nzurück. " + use);
    open(a_);
    EXPECT_EQ(input().accessibleDescription(), use);

    const std::tuple<QString, QString, bool> steps[] = {{"", "255", false},
                                                        {"a", "254", false},
                                                        {"ab", "253", true},
                                                        {"a\nb", "251", true},
                                                        {QString(300, 'x'), "-45", true}};
    for (const auto& [text, left, enabled] : steps) {
        type(text);
        EXPECT_EQ(child<QLabel>(window_, "LabZeichen").text(), left) << text.toStdString();
        EXPECT_EQ(child<QPushButton>(window_, "BtnSend").isEnabled(), enabled) << text.toStdString();
    }
}

TEST_F(MessageWindowTest, HistoryHeadersInColourAndTextsAsTheyCame)
{
    // Lines too short for the fixed positions give what they hold; texts show at most 255 characters.
    // The first two were kept by an earlier run, the first of them on an earlier day.
    a_.rxBuffer = {"R12:00:00 <b>Hallo</b>", "T12:01:00 Antwort\r\nZeile 2", "R12",
                   "T12:02:00 " + std::string(300, 'y')};
    a_.keptDates = {"2024-05-03", QDate::currentDate().toString(Qt::ISODate).toStdString()};
    a_.txBuffer = {"wartet"};
    open(a_);
    const QColor red(255, 0, 0), blue(0, 0, 255), teal(0, 128, 128);
    const std::tuple<QString, bool, QColor> expected[] = {
        {"03.05.2024 12:00:00 DB0ABC", true, red},
        {"<b>Hallo</b>", false, {}},
        {"12:01:00 DL1ZZZ-2", true, blue},
        {"Antwort", false, {}},
        {"Zeile 2", false, {}},
        {"12DB0ABC", true, red},
        {"", false, {}},
        {"12:02:00 DL1ZZZ-2", true, blue},
        {QString(255, 'y'), false, {}},
        {"DL1ZZZ-2", true, teal},
        {"wartet", false, {}},
    };
    const QTextDocument& doc = *child<QTextEdit>(window_, "RichRX").document();
    ASSERT_EQ(doc.blockCount(), static_cast<int>(std::size(expected)));
    QTextBlock block = doc.begin();
    for (const auto& [text, bold, colour] : expected) {
        const QTextCharFormat format = block.begin().fragment().charFormat();
        EXPECT_EQ(block.text(), text);
        EXPECT_EQ(format.fontWeight() == QFont::Bold, bold) << text.toStdString();
        EXPECT_EQ(bold ? format.foreground().color() : QColor(), colour) << text.toStdString();
        block = block.next();
    }
}

TEST_F(MessageWindowTest, ShortTextsAskFirstAndAltSSendsOnRelease)
{
    struct Case {
        QString typed;
        QString answer;
        bool altS;
        std::vector<std::string> queued;
        bool stillOpen;
    };
    const Case cases[] = {
        {"ok", "Nein", false, {}, true},
        {"x", "Ja", true, {}, true},  // nothing under two characters is queued; Alt+S types no "s"
        {"ok", "Ja", true, {"ok"}, false},
    };
    open(a_);
    for (const Case& c : cases) {
        type(c.typed);
        boxes_.answers = {c.answer};
        boxes_.texts.clear();
        if (c.altS) {
            QTest::keyPress(&input(), Qt::Key_S, Qt::AltModifier);
            QTest::keyRelease(&input(), Qt::Key_S, Qt::AltModifier);
        } else {
            window_.sendClick();
        }
        EXPECT_EQ(boxes_.texts,
                  QStringList("Bestätigung: Es werden weniger als 3 Zeichen gesendet. Trotzdem senden ?"));
        EXPECT_EQ(std::tuple(a_.txBuffer, window_.isVisible(), input().toPlainText()),
                  std::tuple(c.queued, c.stillOpen, c.typed));
        // Answered, the question gives the keyboard back to the input.
        EXPECT_TRUE(!c.stillOpen ||
                    QTest::qWaitFor([&] { return QApplication::focusWidget() == &input(); }, 2000))
            << c.typed.toStdString();
    }
    EXPECT_EQ(window_.result(), QDialog::Accepted);
}

TEST_F(MessageWindowTest, SendingToAllSkipsOnlyOfflineStations)
{
    app::TUserEntry& offline = h_.add("DB0OFF", TStationState::Offline);
    app::TUserEntry& offlineUnread = h_.add("DB0OFU", TStationState::OfflineUnread);
    app::TUserEntry& away = h_.add("DB0AWY", TStationState::Away);
    int hides = 0;
    QObject::connect(&window_, &MessageWindow::hideRosterRequested, [&] { ++hides; });

    open(a_);
    child<QCheckBox>(window_, "CheckSendAll").setChecked(true);
    type("hallo\nalle");
    window_.sendClick();
    for (const app::TUserEntry* got : {&a_, &offlineUnread, &away})
        EXPECT_EQ(std::tuple(got->txBuffer, got->sendCount),
                  std::tuple(std::vector<std::string>{"hallo\r\nalle"}, "151"))
            << got->call;
    EXPECT_TRUE(offline.txBuffer.empty() && offline.sendCount.empty());
    EXPECT_EQ(h_.ui.lastStatus(), "Nachricht geht raus");
    EXPECT_EQ(hides, 1);
    // One frame sequence per station: the reachable ones go out on the first pass.
    h_.setOnline(true);
    h_.pass();
    EXPECT_EQ(testing::each(h_.driver.takeSent(), &testing::SentFrame::destination),
              (std::vector<std::string>{"DB0ABC-1 0", "DB0AWY 0"}));
    h_.setOnline(false);

    // "Nachricht an alle senden" stays; without the Popup flag the roster stays too.
    h_.settings.updateEvent(TEventKind::evMessageSent, [](TEreignisObj& e) { e.popup = false; });
    open(offline);
    EXPECT_TRUE(child<QCheckBox>(window_, "CheckSendAll").isChecked());
    child<QCheckBox>(window_, "CheckSendAll").setChecked(false);
    type("nur dir");
    window_.sendClick();
    EXPECT_EQ(offline.txBuffer, std::vector<std::string>{"nur dir"});
    EXPECT_EQ(h_.ui.lastStatus(), "Msg im Sendepuffer");
    EXPECT_EQ(hides, 1);
}

// The edit menu works on the field it was opened on, which takes the focus: the history can be
// selected and copied but never changed. "Einfügen" is offered only while the clipboard holds
// something.
TEST_F(MessageWindowTest, EditMenuActsOnTheFieldItWasOpenedOn)
{
    a_.rxBuffer.push_back("R12:00:00 hallo");
    open(a_);
    type("abc");
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    QTextEdit& history = child<QTextEdit>(window_, "RichRX");
    const auto run = [&](QWidget& field, const QString& text) {
        emit field.customContextMenuRequested(QPoint(5, 5));
        for (QAction* action : child<QMenu>(window_, "PopupMenu1").actions()) {
            if (action->text() == text && action->isEnabled())
                return action->trigger(), true;
        }
        return false;
    };
    EXPECT_FALSE(run(input(), "&Einfügen"));
    EXPECT_TRUE(run(history, "Alles &markieren"));
    EXPECT_EQ(QApplication::focusWidget(), &history);
    EXPECT_FALSE(input().textCursor().hasSelection());
    EXPECT_TRUE(run(history, "&Kopieren"));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("hallo"));
    EXPECT_FALSE(run(history, "&Löschen") || run(history, "&Ausschneiden"));

    EXPECT_TRUE(run(input(), "Alles &markieren") && run(input(), "&Ausschneiden"));
    EXPECT_EQ(std::pair(QGuiApplication::clipboard()->text(), input().toPlainText()),
              std::pair(QString("abc"), QString()));
    EXPECT_TRUE(run(input(), "&Rückgängig"));
    EXPECT_EQ(input().toPlainText(), "abc");
    EXPECT_TRUE(run(input(), "Alles &markieren") && run(input(), "&Löschen"));
    EXPECT_EQ(input().toPlainText(), "");
    EXPECT_TRUE(run(input(), "&Einfügen"));
    EXPECT_EQ(input().toPlainText(), "abc");
    EXPECT_TRUE(history.toPlainText().contains("hallo"));
}

TEST_F(MessageWindowTest, RefreshesOnlyItsOwnStationAndForgetsADeletedOne)
{
    app::TUserEntry& b = h_.add("DB0XYZ");
    open(a_);
    const QTextDocument& doc = *child<QTextEdit>(window_, "RichRX").document();
    a_.rxBuffer.push_back("R12:00:00 neu");
    window_.conversationChanged(b);
    EXPECT_TRUE(doc.isEmpty());
    window_.conversationChanged(a_);
    EXPECT_EQ(doc.blockCount(), 2);

    h_.roster.remove(&a_);
    EXPECT_EQ(window_.entry(), nullptr);
    EXPECT_FALSE(window_.isVisible());
    window_.conversationChanged(h_.add("DB0NEW"));
    EXPECT_TRUE(doc.isEmpty());
}

// An open window follows each switch of the language: the date of a kept line and the
// short-text question with its box, and the German size as it always was. (Its title, button and
// edit menu: WindowLanguagesTest.)
TEST_F(MessageWindowTest, OpenWindowSpeaksEachLanguage)
{
    a_.rxBuffer = {"R12:00:00 Hallo"};
    a_.keptDates = {"2024-05-03"};
    open(a_);
    LanguageSwitch language;
    QStringList captions;  // of the box's buttons, the answer last
    boxes_.hold = [&](const QMessageBox& box) {
        captions.clear();
        for (const QAbstractButton* button : box.buttons())
            captions << button->text();
        boxes_.answers = {QString(captions.last()).remove('&')};
        return false;
    };
    const std::tuple<const char*, QString, QString, QString> languages[] = {
        {"de", "03.05.2024", "&Ja &Nein",
         "Bestätigung: Es werden weniger als 3 Zeichen gesendet. Trotzdem senden ?"},
        {"en", "5/3/2024", "&Yes &No", "Confirm: Fewer than 3 characters will be sent. Send anyway?"},
        {"fr", "03/05/2024", "&Oui &Non",
         "Confirmation: Moins de 3 caractères seront envoyés. Envoyer quand même\u00a0?"},
    };
    for (const auto& [code, day, buttons, question] : languages) {
        language.apply(code);
        QCoreApplication::sendPostedEvents();
        type("ok");
        boxes_.texts.clear();
        window_.sendClick();
        const QString kept = child<QTextEdit>(window_, "RichRX").document()->begin().text();
        EXPECT_EQ(std::tuple(kept, captions.join(' '), boxes_.texts),
                  std::tuple(day + " 12:00:00 DB0ABC", buttons, QStringList(question)));
        EXPECT_TRUE(window_.isVisible());
        if (code == kGerman) {
            EXPECT_EQ(window_.size(), QSize(380, 340));
        }
    }
}

}  // namespace
}  // namespace zelvo::dialogs
