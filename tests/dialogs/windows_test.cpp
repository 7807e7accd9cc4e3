// The splash, the about box and the help window, driven as the user drives them.
#include "art/pictures.h"
#include "dialogs/about_box.h"
#include "dialogs/drawn_number.h"
#include "dialogs/help_pages.h"
#include "dialogs/help_window.h"
#include "dialogs/jpeg_picture.h"
#include "dialogs/language.h"
#include "dialogs/splash_window.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/temp_dir.h"

namespace zelvo::dialogs {
namespace {

constexpr int kBound = 5000;  // ms to wait for an event that should come at once

QAbstractButton* button(const SplashWindow& splash, const char* name)
{
    return splash.findChild<QAbstractButton*>(QLatin1String(name));
}

// The splash shows the version, its question mark one about box that outlives it, and its cross
// closes it before the timer.
TEST(SplashWindow, ShowsTheVersionAnAboutBoxThatOutlivesItAndClosesByItsCross)
{
    QWidget owner;
    QPointer<SplashWindow> splash = new SplashWindow;
    QObject::connect(splash, &SplashWindow::aboutRequested, &owner, [&] { AboutBox::showFor(&owner); });
    splash->show();
    EXPECT_EQ(splash->findChild<QWidget*>(QStringLiteral("version"))->accessibleName(),
              QStringLiteral("0.9.7.321"));
    // Each digit is drawn, and as a figure of its own.
    QList<QPainterPath> figures;
    for (const QChar digit : QStringLiteral("0123456789")) {
        const QPainterPath figure = numberStrokes(digit);
        EXPECT_GT(figure.boundingRect().height(), kDigitHeight * 0.8) << digit.toLatin1();
        EXPECT_FALSE(figures.contains(figure)) << digit.toLatin1();
        figures << figure;
    }
    QPointer<QTimer> timer = splash->findChild<QTimer*>();
    ASSERT_TRUE(timer);
    EXPECT_TRUE(timer->isActive());

    QTest::mouseClick(button(*splash, "about"), Qt::LeftButton);
    QTest::mouseClick(button(*splash, "about"), Qt::LeftButton);
    const auto boxes = owner.findChildren<AboutBox*>();
    ASSERT_EQ(boxes.size(), 1);
    AboutBox* box = boxes.front();
    EXPECT_TRUE(box->isVisible() && box->isWindow() && splash->isVisible());
    EXPECT_EQ(box->findChild<QLabel*>(QStringLiteral("version"))->text(),
              QStringLiteral("Version 0.9.7.321"));

    QTest::mouseClick(button(*splash, "close"), Qt::LeftButton);
    // Gone with its timer, so nothing can fire later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, kBound));
    EXPECT_TRUE(timer.isNull());
    EXPECT_TRUE(box->isVisible());
}

// The tagline, where the picture carries it in words.
QImage tagline(const QImage& picture)
{
    return picture.copy(136, 74, 170, 30).convertToFormat(QImage::Format_RGB32);
}

QImage taglineOf(std::string_view language)
{
    return tagline(decodeJpeg(art::splashJpeg(language)));
}

// Shows `topic` and waits until the reader is done.
bool showRead(HelpWindow& help, const QString& topic = {})
{
    return help.showTopic(topic) && QTest::qWaitFor([&] { return !help.loading(); }, kBound);
}

// The splash's tagline and the help window's page follow each switch of the language; a splash
// opened then shows the language's tagline (German where a language has no picture); the about
// box keeps its size in German. (That no window keeps a German text: WindowLanguagesTest.)
TEST(AboutBox, OpenWindowsSpeakEachLanguage)
{
    ASSERT_EQ(art::splashJpeg("xx"), art::splashJpeg(kGerman));
    QWidget owner;
    AboutBox* about = AboutBox::showFor(&owner);
    SplashWindow splash;
    splash.show();
    HelpWindow help(QStringLiteral(ZELVO_HELP_FILE));
    ASSERT_TRUE(showRead(help));
    LanguageSwitch language;
    for (const auto& [code, contents] : {std::pair{"en", "Contents"}, {"fr", "Sommaire"}, {"de", "Inhalt"}}) {
        language.apply(code);
        QCoreApplication::sendPostedEvents();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !help.loading(); }, kBound));
        EXPECT_EQ(help.browser()->documentTitle(), QString(contents));
        SplashWindow fresh;
        fresh.show();
        EXPECT_EQ(tagline(fresh.grab().toImage()), taglineOf(code)) << code;
        EXPECT_EQ(tagline(splash.grab().toImage()), taglineOf(code)) << code;
        if (code == kGerman) {
            EXPECT_EQ(about->size(), QSize(306, 196));
        } else {
            EXPECT_NE(taglineOf(code), taglineOf(kGerman)) << code;
        }
    }
}

TEST(HelpWindow, ShowsTheDefaultTopicFollowsLinksAndShowsPictures)
{
    HelpWindow help(QStringLiteral(ZELVO_HELP_FILE));
    ASSERT_TRUE(showRead(help));
    QTextBrowser* browser = help.browser();
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:/index.html")));
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Zelvo-Hilfe – Inhalt"));

    // The first link of the contents, chosen and followed with the keyboard.
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:/liste.html")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("User ist Online")));
    const QVariant picture =
        browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("bilder/state/online.svg")));
    EXPECT_EQ(QImage::fromData(picture.toByteArray()).size(), QSize(24, 24));
}

// F1 shows the pages of the language applied at that moment (an open window follows a switch:
// AboutBox.OpenWindowsSpeakEachLanguage...); a language whose file is missing gets the German pages.
TEST(HelpWindow, ShowsThePagesOfTheAppliedLanguageElseTheGermanOnes)
{
    LanguageSwitch language;
    const zelvo::testing::TempDir dir;
    const auto germanOnly = dir / "Zelvo.chm";
    std::filesystem::copy_file(ZELVO_HELP_FILE, germanOnly);
    HelpWindow withoutEnglish(QString::fromStdString(germanOnly.string()));
    language.apply("en");
    ASSERT_TRUE(showRead(withoutEnglish));
    EXPECT_EQ(withoutEnglish.browser()->documentTitle(), QStringLiteral("Inhalt"));
}

// chmlib crashes on these files; it does so in the reader program, and the window says why it
// shows nothing. (The over-read shows only under AddressSanitizer; the reader ends there then.)
TEST(HelpWindow, DamagedHelpFileIsNamedAndEndsNothingButTheReader)
{
    const QString damaged = QStringLiteral(ZELVO_DAMAGED_HELP);
    for (const char* name : {"fails-at-open.chm", "fails-reading-pages.chm"}) {
        const QString file = damaged + u'/' + QLatin1String(name);
        HelpWindow help(file);
        ASSERT_TRUE(showRead(help));
        EXPECT_EQ(help.browser()->toPlainText(),
                  QStringLiteral("Die Hilfe kann nicht angezeigt werden: Die Hilfedatei %1 ist beschädigt.")
                      .arg(file));
    }
    HelpWindow overRead(damaged + QStringLiteral("/over-read-under-asan.chm"));
    EXPECT_TRUE(showRead(overRead));

    HelpWindow withoutReader(QStringLiteral(ZELVO_HELP_FILE));
    withoutReader.setReaderProgram(QStringLiteral("/nicht/da"));
    ASSERT_TRUE(showRead(withoutReader));
    EXPECT_EQ(withoutReader.browser()->toPlainText(),
              QStringLiteral("Die Hilfe kann nicht angezeigt werden: Das Programm /nicht/da fehlt."));
}

// An executable shell script in `dir` that runs `command`.
QString script(const zelvo::testing::TempDir& dir, const std::string& name, const std::string& command)
{
    const auto file = dir.write(name, "#!/bin/sh\n" + command + "\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    return QString::fromStdString(file.string());
}

// While the reader runs (a stand-in that waits for a line from a FIFO, then runs the real one),
// F1 returns at once, the window says so and the event loop goes on; F1 meanwhile chooses the
// page shown once the reader is done.
TEST(HelpWindow, StaysUsableWhileTheReaderRunsAndThenShowsTheTopicAskedForLast)
{
    const zelvo::testing::TempDir dir;
    const auto go = dir / "go";
    ASSERT_EQ(::mkfifo(go.c_str(), 0600), 0);
    HelpWindow help(QStringLiteral(ZELVO_HELP_FILE));
    help.setReaderProgram(
        script(dir, "held", "read line < '" + go.string() + "'\nexec '" ZELVO_HELP_READER "' \"$1\""));
    ASSERT_TRUE(help.showTopic());
    EXPECT_TRUE(help.loading() && help.isVisible());
    EXPECT_EQ(help.browser()->toPlainText(), QStringLiteral("Hilfe wird geladen …"));
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, kBound));
    ASSERT_TRUE(help.showTopic(QStringLiteral("/liste.html")));

    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const int fd = ::open(go.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            const bool sent = fd >= 0 && ::write(fd, "\n", 1) == 1;
            ::close(fd);
            return sent;
        },
        kBound));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !help.loading(); }, kBound));
    EXPECT_EQ(help.browser()->source(), QUrl(QStringLiteral("chm:/liste.html")));
}

// Waited for or not, a hung reader is ended, one that writes without end is ended at the bound of
// its output, and a missing one is told.
TEST(HelpPages, HungOrEndlessReaderIsEndedAndAMissingOneIsTold)
{
    using namespace std::chrono_literals;
    using Failure = HelpPages::Failure;
    const zelvo::testing::TempDir dir;
    const QString hung = script(dir, "hung-reader", "exec sleep 600");
    const QString missing = QString::fromStdString((dir / "missing").string());
    const QString help = QStringLiteral(ZELVO_HELP_FILE);
    EXPECT_EQ(HelpPages::load(help, hung, 200ms).failure(), Failure::TooSlow);
    EXPECT_EQ(HelpPages::load(help, missing).failure(), Failure::NoReader);

    // The endless one has the time to write past the bound. (QTest::qWaitFor sleeps between its
    // rounds, which would slow its reading down.)
    for (const auto& [reader, limit, expected] :
         {std::tuple{hung, 200ms, Failure::TooSlow},
          {script(dir, "endless-reader", "exec cat /dev/zero"), 60s, Failure::Damaged},
          {missing, 200ms, Failure::NoReader}}) {
        std::optional<Failure> failure;
        QEventLoop loop;
        const HelpPagesLoad load(
            help,
            [&](HelpPages pages) {
                failure = pages.failure();
                loop.quit();
            },
            reader, limit);
        QTimer::singleShot(kBound, &loop, &QEventLoop::quit);
        loop.exec();
        EXPECT_EQ(failure, expected) << reader.toStdString();
    }
}

}  // namespace
}  // namespace zelvo::dialogs
