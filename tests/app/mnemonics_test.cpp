// The underlined letters (the "&" mnemonics) of every menu and window in each language: a letter
// is taken by one item only, and never by another item's Alt key shown after its tab.
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTreeView>

#include <gmock/gmock.h>

#include "app/monitor_window.h"
#include "dialogs/channel_dialog.h"
#include "dialogs/channel_editor.h"
#include "dialogs/entry_editor.h"
#include "dialogs/language.h"
#include "dialogs/message_window.h"
#include "dialogs/settings_dialog.h"
#include "tests/app/windows_fixture.h"

namespace zelvo::testing {
namespace {

// The underlined letter of `text` in lower case; none without one ("&&" is a plain "&").
std::optional<QChar> underlined(const QString& text)
{
    for (qsizetype at = text.indexOf('&'); at >= 0 && at + 1 < text.size(); at = text.indexOf('&', at + 2)) {
        if (text[at + 1] != '&')
            return text[at + 1].toLower();
    }
    return std::nullopt;
}

// "text: fault" for each item of one menu or one window whose underlined letter is another item's
// Alt key (the "Alt+N" after its tab), is not its own Alt key where its words have that letter,
// or is underlined by another item too.
std::vector<std::string> clashes(const QStringList& texts)
{
    static const QRegularExpression altKey(QStringLiteral("\tAlt\\+(\\w)$"));
    QMap<QChar, QString> keys;
    for (const QString& text : texts) {
        if (const auto key = altKey.match(text); key.hasMatch())
            keys.insert(key.captured(1).at(0).toLower(), text);
    }
    std::vector<std::string> faults;
    QMap<QChar, QString> taken;
    for (const QString& text : texts) {
        const auto letter = underlined(text);
        if (!letter)
            continue;
        const QChar own = keys.key(text);
        const QString words = text.section('\t', 0, 0).remove('&').toLower();
        if (keys.contains(*letter) && keys[*letter] != text)
            faults.push_back((text + ": the Alt key of " + keys[*letter]).toStdString());
        else if (!own.isNull() && words.contains(own) && *letter != own)
            faults.push_back((text + ": not its own Alt key").toStdString());
        if (taken.contains(*letter))
            faults.push_back((text + ": the letter of " + taken[*letter]).toStdString());
        taken.insert(*letter, text);
    }
    return faults;
}

QStringList menuTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << action->text();
    return texts;
}

// The texts of a window that may underline a letter, shown or not: buttons, the labels that hand
// their key to a field, group boxes and tabs. Menus are windows of their own.
QStringList windowTexts(const QWidget& window)
{
    QStringList texts;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() != &window)
            continue;
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts << button->text();
        else if (const auto* label = qobject_cast<const QLabel*>(widget); label && label->buddy())
            texts << label->text();
        else if (const auto* box = qobject_cast<const QGroupBox*>(widget))
            texts << box->title();
        else if (const auto* tabs = qobject_cast<const QTabBar*>(widget)) {
            for (int tab = 0; tab < tabs->count(); ++tab)
                texts << tabs->tabText(tab);
        }
    }
    return texts;
}

class MnemonicsTest : public WindowsTest {
protected:
    // The station menu as the right button opens it on `row`.
    QStringList stationMenuOn(int row)
    {
        QTreeView& list = window.rosterView();
        QTest::mousePress(list.viewport(), Qt::RightButton, {},
                          list.visualRect(list.model()->index(row, 0)).center());
        window.stationMenu().hide();
        return menuTexts(window.stationMenu());
    }
    QStringList editMenuTexts()
    {
        emit child<QPlainTextEdit>(messages, "SendMemo").customContextMenuRequested(QPoint(5, 5));
        auto& menu = child<QMenu>(messages, "PopupMenu1");
        menu.hide();
        return menuTexts(menu);
    }
    QStringList editorTexts(link::ChannelKind kind)
    {
        link::ChannelEntry entry;
        entry.kind = kind;
        const dialogs::ChannelEditor editor(channelTable, entry, std::nullopt, {});
        return windowTexts(editor);
    }

    dialogs::SettingsDialog settings{session.settings(), nullptr};
    dialogs::EntryEditor entryEditor{session.station()};
    dialogs::MessageWindow messages{session.station()};
    link::ChannelPlaces places{dir / "flexnet.conf", dir / "user.conf", {}};
    link::ChannelFile channelTable{places};
    dialogs::ChannelDialog channels{{{},
                                     [](int) { return std::optional<FlxLinkState>(); },
                                     [] { return std::vector<link::FlexApi::Channel>(); },
                                     {}},
                                    [this] { return places; }};
    app::MonitorWindow monitor{{[](link::FlexApi::MonitorSink) {}, [](int) { return std::string(); },
                                [] { return std::vector<int>{0}; }}};
    dialogs::LanguageSwitch language;
};

TEST_F(MnemonicsTest, EveryUnderlinedLetterIsOneItemsAndNoOtherItemsAltKeyInEachLanguage)
{
    add("DL1AAA", app::TStationState::OnlineUnread);
    add("DL2BBB", app::TStationState::Online);
    window.show();
    for (const std::string_view code : {dialogs::kGerman, dialogs::kEnglish, dialogs::kFrench}) {
        language.apply(code);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        const std::pair<const char*, QStringList> windows[] = {
            {"station menu, reading", stationMenuOn(0)},
            {"station menu, sending", stationMenuOn(1)},
            {"tray menu", menuTexts(tray.menu())},
            {"monitor", windowTexts(monitor)},
            {"settings", windowTexts(settings)},
            {"entry editor", windowTexts(entryEditor)},
            {"edit menu", editMenuTexts()},
            {"channels", windowTexts(channels)},
            {"kiss-tcp channel", editorTexts(link::ChannelKind::KissTcp)},
            {"agw-tcp channel", editorTexts(link::ChannelKind::AgwTcp)},
            {"kiss-serial channel", editorTexts(link::ChannelKind::KissSerial)},
        };
        for (const auto& [name, texts] : windows) {
            EXPECT_THAT(clashes(texts), ::testing::IsEmpty()) << code << ", " << name;
            EXPECT_TRUE(texts.join(QString()).contains('&')) << code << ", " << name;
        }
    }
}

}  // namespace
}  // namespace zelvo::testing
