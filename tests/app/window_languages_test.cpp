// Every window of the program in English and in French: no text that a window shows or names for a
// screen reader is German, none is cut and every control has a name of its own (in German too).
// What the user typed or stored (calls, names, the info and away texts) is no text of the window
// and is not read. And the underlined letters (the "&" mnemonics) of every menu and window in each
// language: a letter is taken by one item only, and never by another item's Alt key after its tab.
#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTreeView>
#include <QXmlStreamReader>

#include <gmock/gmock.h>

#include <set>

#include "app/monitor_window.h"
#include "dialogs/about_box.h"
#include "dialogs/channel_dialog.h"
#include "dialogs/channel_editor.h"
#include "dialogs/entry_editor.h"
#include "dialogs/help_window.h"
#include "dialogs/message_window.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/splash_window.h"
#include "tests/app/windows_fixture.h"
#include "tests/support/whole_texts.h"

namespace zelvo::testing {
namespace {

// A text as it is compared: without its underline marks and the shortcut after a tab.
QString plain(const QString& text)
{
    QString words = text.section('\t', 0, 0);
    words.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove('&').replace(QChar(1), QChar('&'));
    return words.simplified();
}

// Tells German from the words of one translation: a text is German when it is a German source
// text that this language words otherwise (with its %1.. filled by anything), or when it has
// letters or words that only German has.
class GermanTexts {
public:
    explicit GermanTexts(const QString& tsFile)
    {
        QFile file(tsFile);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << tsFile.toStdString();
        QXmlStreamReader xml(&file);
        QString source;
        while (!xml.atEnd()) {
            if (!xml.readNextStartElement())
                continue;
            if (xml.name() == u"source")
                source = plain(xml.readElementText(QXmlStreamReader::IncludeChildElements));
            else if (xml.name() == u"translation")
                add(source, plain(xml.readElementText(QXmlStreamReader::IncludeChildElements)));
        }
        sources_.setPattern(QRegularExpression::anchoredPattern(patterns_.join('|')));
    }

    // Why `text` is German; empty when it is not.
    QString why(const QString& text) const
    {
        static const QRegularExpression letters(QStringLiteral("[äöüßÄÖÜ]"));
        static const QRegularExpression words(QStringLiteral("\\b(und|nicht|ist|der|die|mit|oder|bitte)\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
        for (const QString& line : text.split('\n')) {
            const QString shown = plain(line);
            if (shown.isEmpty() || translations_.contains(shown))
                continue;
            if (sources_.match(shown).hasMatch())
                return QStringLiteral("a German source text");
            if (shown.contains(letters) || shown.contains(words))
                return QStringLiteral("German letters or words");
        }
        return {};
    }

private:
    void add(const QString& source, const QString& translation)
    {
        translations_.insert(translation);
        if (source == translation)
            return;
        // Only a text whose own words say something: "%1: %2" is anyone's.
        QStringList pieces = source.split(QRegularExpression(QStringLiteral("%[1-9]")));
        if (pieces.size() > 1 && pieces.join(QString()).count(QRegularExpression(QStringLiteral("\\w"))) < 3)
            return;
        for (QString& piece : pieces)
            piece = QRegularExpression::escape(piece);
        patterns_ << "(?:" + pieces.join(QStringLiteral(".*")) + ")";
    }

    std::set<QString> translations_;
    QStringList patterns_;
    QRegularExpression sources_;  // any of patterns_
};

using Shown = std::pair<QString, QString>;  // where, text

void menuTexts(const QMenu& menu, const QString& where, std::vector<Shown>& texts)
{
    texts.push_back({where + " menu", menu.title()});
    for (const QAction* action : menu.actions()) {
        texts.insert(texts.end(),
                     {{where + " menu item", action->text()}, {where + " item tip", action->toolTip()}});
        if (action->menu() != nullptr)
            menuTexts(*action->menu(), where, texts);
    }
}

// What one control shows of its own: its words, never what the user typed or stored in it.
void controlTexts(const QWidget& widget, const QString& where, std::vector<Shown>& texts)
{
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        const QString text = label->text();
        texts.push_back(
            {where, Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text});
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        texts.push_back({where, button->text()});
    } else if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        texts.push_back({where, group->title()});
    } else if (const auto* tabs = qobject_cast<const QTabBar*>(&widget)) {
        for (int tab = 0; tab < tabs->count(); ++tab)
            texts.insert(texts.end(),
                         {{where + " tab", tabs->tabText(tab)}, {where + " tab tip", tabs->tabToolTip(tab)}});
    } else if (const auto* combo = qobject_cast<const QComboBox*>(&widget); combo && !combo->isEditable()) {
        for (int item = 0; item < combo->count(); ++item)
            texts.push_back({where + " item", combo->itemText(item)});
    } else if (const auto* line = qobject_cast<const QLineEdit*>(&widget)) {
        texts.push_back({where + " placeholder", line->placeholderText()});
    } else if (const auto* memo = qobject_cast<const QPlainTextEdit*>(&widget)) {
        texts.push_back({where + " placeholder", memo->placeholderText()});
    } else if (const auto* view = qobject_cast<const QAbstractItemView*>(&widget); view && view->model()) {
        for (int column = 0; column < view->model()->columnCount(); ++column)
            texts.push_back(
                {where + " column head", view->model()->headerData(column, Qt::Horizontal).toString()});
    } else if (const auto* menu = qobject_cast<const QMenu*>(&widget)) {
        menuTexts(*menu, where, texts);
    }
}

// Every text of `window` and its controls, shown now or once they show: titles, labels, buttons,
// group boxes, tabs, list items of the window's own, column heads, menus, placeholders, tips and
// the names and descriptions a screen reader says.
std::vector<Shown> windowTexts(const QWidget& window)
{
    std::vector<Shown> texts{{"title", window.windowTitle()}};
    QList<const QWidget*> widgets{&window};
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        // What the screen reader was told last was said in the language of its moment.
        if (!widget->inherits("zelvo::app::Announcer"))
            widgets << widget;
    }
    for (const QWidget* widget : widgets) {
        const QString where =
            widget->objectName().isEmpty() ? widget->metaObject()->className() : widget->objectName();
        controlTexts(*widget, where, texts);
        texts.insert(texts.end(), {{where + " tip", widget->toolTip()},
                                   {where + " accessible name", widget->accessibleName()},
                                   {where + " accessible description", widget->accessibleDescription()}});
        for (const QAction* action : widget->actions())
            texts.push_back({where + " action", action->text()});
    }
    return texts;
}

// The faults of one window in one language: "where 'text': why" for each German text, each control
// a screen reader cannot tell by its name, and each cut text and cut tab bar on every page of its
// tab widgets.
std::vector<std::string> faultsOf(QWidget& window, const std::vector<Shown>& texts, const GermanTexts* german)
{
    std::set<std::string> faults;
    for (const auto& [where, text] : texts) {
        if (const QString why = german ? german->why(text) : QString(); !why.isEmpty())
            faults.insert(QStringLiteral("%1 '%2': %3").arg(where, text, why).toStdString());
    }
    for (const std::string& control : unnamedControls(window))
        faults.insert("no name of its own: " + control);
    const auto cut = [&] {
        for (const QString& text : cutTexts(window))
            faults.insert("cut: " + text.toStdString());
        for (const QTabBar* tabs : window.findChildren<QTabBar*>()) {
            if (tabs->isVisibleTo(&window) && tabs->width() < tabs->sizeHint().width())
                faults.insert("cut: the tabs of " + tabs->parentWidget()->objectName().toStdString());
        }
    };
    cut();
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            QApplication::processEvents();
            cut();
        }
    }
    return {faults.begin(), faults.end()};
}

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

QStringList itemTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << action->text();
    return texts;
}

// The texts of a window that may underline a letter, shown or not: buttons, the labels that hand
// their key to a field, group boxes and tabs. Menus are windows of their own.
QStringList underlinable(const QWidget& window)
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

class WindowLanguagesTest : public WindowsTest {
protected:
    WindowLanguagesTest()
    {
        add("DL1AAA", app::TStationState::OnlineUnread);
        add("DL2BBB", app::TStationState::Online);
        window.show();
        entryEditor.prepareNew();
        messages.openFor(roster().at(0));
        for (QWidget* shown : std::initializer_list<QWidget*>{&settings, &entryEditor, &messages, &channels,
                                                              &monitor, &help, &splash})
            shown->show();
        about = dialogs::AboutBox::showFor(&window);
        // Each question is answered with its last button (No, Cancel): nothing changes.
        boxes.hold = [this](const QMessageBox& box) {
            boxes.answers = {box.buttons().isEmpty() ? QString() : box.buttons().last()->text().remove('&')};
            return false;
        };
    }

    // The station menu as the right button opens it on `row`.
    const QMenu& stationMenuOn(int row)
    {
        QTreeView& list = window.rosterView();
        QTest::mousePress(list.viewport(), Qt::RightButton, {},
                          list.visualRect(list.model()->index(row, 0)).center());
        window.stationMenu().hide();
        return window.stationMenu();
    }

    // The roster window's questions, "title: text".
    std::vector<Shown> questions()
    {
        boxes.texts.clear();
        window.confirmQuit();
        window.rosterView().setCurrentIndex(window.rosterView().model()->index(1, 0));
        window.deleteEntryClick();
        std::vector<Shown> texts;
        for (const QString& text : boxes.texts)
            texts.push_back({"question", text});
        return texts;
    }

    std::vector<Shown> menus()
    {
        std::vector<Shown> texts;
        menuTexts(stationMenuOn(0), "station, reading", texts);
        menuTexts(stationMenuOn(1), "station, sending", texts);
        menuTexts(tray.menu(), "tray", texts);
        texts.push_back({"tray tip", tray.toolTip()});
        editMenu();  // made now: the message window's texts hold it
        return texts;
    }

    // The message window's edit menu, as the right button opens it in the text to send.
    const QMenu& editMenu()
    {
        emit child<QPlainTextEdit>(messages, "SendMemo").customContextMenuRequested(QPoint(5, 5));
        auto& menu = child<QMenu>(messages, "PopupMenu1");
        menu.hide();
        return menu;
    }
    QStringList editorTexts(link::ChannelKind kind)
    {
        link::ChannelEntry entry;
        entry.kind = kind;
        const dialogs::ChannelEditor editor(channelTable, entry, std::nullopt, {});
        return underlinable(editor);
    }

    dialogs::SettingsDialog settings{session.settingsNews(), nullptr};
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
    dialogs::HelpWindow help{QStringLiteral(ZELVO_HELP_FILE)};
    dialogs::SplashWindow splash;
    dialogs::AboutBox* about = nullptr;
};

TEST_F(WindowLanguagesTest, NoWindowShowsGermanInEnglishOrFrenchAndNoneCutsAText)
{
    const GermanTexts english(QStringLiteral(ZELVO_TS_DIR "/zelvo_en.ts"));
    const GermanTexts french(QStringLiteral(ZELVO_TS_DIR "/zelvo_fr.ts"));
    const std::pair<std::string_view, const GermanTexts*> languages[] = {
        {dialogs::kEnglish, &english}, {dialogs::kFrench, &french}, {dialogs::kGerman, nullptr}};
    for (const auto& [code, german] : languages) {
        switchTo(code);
        for (const auto kind :
             {link::ChannelKind::KissTcp, link::ChannelKind::AgwTcp, link::ChannelKind::KissSerial}) {
            link::ChannelEntry entry;
            entry.kind = kind;
            dialogs::ChannelEditor editor(channelTable, entry, std::nullopt, {});
            editor.show();
            QApplication::processEvents();
            EXPECT_THAT(faultsOf(editor, windowTexts(editor), german), ::testing::IsEmpty())
                << code << ", channel editor " << static_cast<int>(kind);
        }
        std::vector<Shown> roster = windowTexts(window);
        for (auto&& more : {menus(), questions()})
            roster.insert(roster.end(), more.begin(), more.end());
        EXPECT_THAT(faultsOf(window, roster, german), ::testing::IsEmpty()) << code << ", roster window";
        const std::pair<const char*, QWidget*> windows[] = {
            {"settings", &settings}, {"entry editor", &entryEditor},
            {"messages", &messages}, {"channels", &channels},
            {"monitor", &monitor},   {"about", about},
            {"help", &help},         {"splash", &splash},
        };
        for (const auto& [name, shown] : windows) {
            EXPECT_THAT(faultsOf(*shown, windowTexts(*shown), german), ::testing::IsEmpty())
                << code << ", " << name;
        }
    }
    // The German windows are German to both: the texts read are the windows' own.
    for (const GermanTexts* german : {&english, &french})
        EXPECT_GT(faultsOf(settings, windowTexts(settings), german).size(), 50u);
}

TEST_F(WindowLanguagesTest, EveryUnderlinedLetterIsOneItemsAndNoOtherItemsAltKeyInEachLanguage)
{
    for (const std::string_view code : {dialogs::kGerman, dialogs::kEnglish, dialogs::kFrench}) {
        switchTo(code);
        const std::pair<const char*, QStringList> windows[] = {
            {"station menu, reading", itemTexts(stationMenuOn(0))},
            {"station menu, sending", itemTexts(stationMenuOn(1))},
            {"tray menu", itemTexts(tray.menu())},
            {"monitor", underlinable(monitor)},
            {"settings", underlinable(settings)},
            {"entry editor", underlinable(entryEditor)},
            {"edit menu", itemTexts(editMenu())},
            {"channels", underlinable(channels)},
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
