// The message window offscreen: what it shows on opening, the coloured history, the counter and
// "Senden", the short-text question and Alt+S, sending to all, and which station it refreshes.
#include "dialogs/message_window.h"

#include "tests/dialogs/window_support.h"
#include "tests/protocol/station_harness.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

namespace zelvo::dialogs {
namespace {

using app::TStationState;
using testing::BoxAnswer;

class MessageWindowTest : public ::testing::Test {
protected:
    template <class W>
    W& child(const char* name)
    {
        W* widget = window_.findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    QPlainTextEdit& input() { return child<QPlainTextEdit>("SendMemo"); }
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
    MessageWindow window_{h_.station};
    app::TUserEntry& a_ = h_.add("DB0ABC-1");
};

TEST_F(MessageWindowTest, OpensForTheStationWithTheInputReadyAndCounts)
{
    a_.unread = true;
    open(a_);
    EXPECT_EQ(window_.windowTitle(), "Dialog mit DB0ABC");
    EXPECT_FALSE(a_.unread);
    EXPECT_EQ(QApplication::focusWidget(), &input());
    EXPECT_TRUE(child<QTextEdit>("RichRX").document()->isEmpty());

    const std::tuple<QString, QString, bool> steps[] = {
        {"", "255", false}, {"a", "254", false}, {"ab", "253", true}, {"a\nb", "251", true}};
    for (const auto& [text, left, enabled] : steps) {
        type(text);
        EXPECT_EQ(child<QLabel>("LabZeichen").text(), left) << text.toStdString();
        EXPECT_EQ(child<QPushButton>("BtnSend").isEnabled(), enabled) << text.toStdString();
    }
}

TEST_F(MessageWindowTest, HistoryHeadersInColourAndTextsAsTheyCame)
{
    a_.rxBuffer = {"R12:00:00 <b>Hallo</b>", "T12:01:00 Antwort\r\nZeile 2"};
    a_.txBuffer = {"wartet"};
    open(a_);
    const QColor red(255, 0, 0), blue(0, 0, 255), teal(0, 128, 128);
    const std::tuple<QString, bool, QColor> expected[] = {
        {"12:00:00 DB0ABC", true, red}, {"<b>Hallo</b>", false, {}}, {"12:01:00 DL1ZZZ-2", true, blue},
        {"Antwort", false, {}},         {"Zeile 2", false, {}},      {"DL1ZZZ-2", true, teal},
        {"wartet", false, {}},
    };
    const QTextDocument& doc = *child<QTextEdit>("RichRX").document();
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
    open(a_);
    type("ok");
    {
        BoxAnswer no("Nein");
        window_.sendClick();
        EXPECT_EQ(no.text, "Es werden weniger als 3 Zeichen gesendet. Trotzdem senden ?");
        EXPECT_TRUE(window_.isVisible());
        EXPECT_TRUE(a_.txBuffer.empty());
    }
    // Alt+S types nothing; one character answered "Ja" queues nothing and keeps the window.
    type("x");
    {
        BoxAnswer yes("Ja");
        QTest::keyPress(&input(), Qt::Key_S, Qt::AltModifier);
        QTest::keyRelease(&input(), Qt::Key_S, Qt::AltModifier);
        EXPECT_TRUE(yes.answered);
    }
    EXPECT_EQ(input().toPlainText(), "x");
    EXPECT_TRUE(window_.isVisible());
    EXPECT_TRUE(a_.txBuffer.empty());

    type("ok");
    BoxAnswer yes("Ja");
    QTest::keyPress(&input(), Qt::Key_S, Qt::AltModifier);
    QTest::keyRelease(&input(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(a_.txBuffer, std::vector<std::string>{"ok"});
    EXPECT_FALSE(window_.isVisible());
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
    child<QCheckBox>("CheckSendAll").setChecked(true);
    type("hallo\nalle");
    window_.sendClick();
    for (const app::TUserEntry* got : {&a_, &offlineUnread, &away})
        EXPECT_EQ(got->txBuffer, std::vector<std::string>{"hallo\r\nalle"}) << got->call;
    EXPECT_TRUE(offline.txBuffer.empty());
    EXPECT_EQ(h_.ui.lastStatus(), "Nachricht geht raus");
    EXPECT_EQ(hides, 1);

    // "Nachricht an alle senden" stays; without the Popup flag the roster stays too.
    h_.settings.updateEvent(TEventKind::evMessageSent, [](TEreignisObj& e) { e.popup = false; });
    open(offline);
    EXPECT_TRUE(child<QCheckBox>("CheckSendAll").isChecked());
    child<QCheckBox>("CheckSendAll").setChecked(false);
    type("nur dir");
    window_.sendClick();
    EXPECT_EQ(offline.txBuffer, std::vector<std::string>{"nur dir"});
    EXPECT_EQ(h_.ui.lastStatus(), "Msg im Sendepuffer");
    EXPECT_EQ(hides, 1);
}

TEST_F(MessageWindowTest, RefreshesOnlyItsOwnStationAndForgetsADeletedOne)
{
    app::TUserEntry& b = h_.add("DB0XYZ");
    open(a_);
    const QTextDocument& doc = *child<QTextEdit>("RichRX").document();
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

}  // namespace
}  // namespace zelvo::dialogs
