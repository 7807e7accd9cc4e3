#include "dialogs/help_window.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include "dialogs/language.h"
#include "platform/install_layout.h"

namespace zelvo::dialogs {

namespace {

// Pages are shown as "chm:/index.html": with a scheme, QTextBrowser resolves links itself.
const QString kScheme = QStringLiteral("chm");

QUrl topicUrl(const QString& path)
{
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(path.startsWith(u'/') ? path : u'/' + path);
    return url;
}

}  // namespace

// Pages, style sheets and pictures come out of the help file. Names are resolved against the
// page loaded last, so "bilder/x.svg" on "chm:/index.html" reads "/bilder/x.svg".
class HelpWindow::Browser : public QTextBrowser {
public:
    explicit Browser(QWidget* parent) : QTextBrowser(parent) {}
    const HelpPages* pages = nullptr;

    QVariant loadResource(int type, const QUrl& name) override
    {
        const QUrl url = page_.resolved(name);
        if (type == QTextDocument::HtmlResource)
            page_ = url;
        if (!pages || url.scheme() != kScheme)
            return {};
        const auto data = pages->read(url.path());
        if (!data)
            return {};
        if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(*data);  // the pages are UTF-8
        return *data;
    }

private:
    QUrl page_ = topicUrl(QStringLiteral("/"));
};

HelpWindow::HelpWindow(QString germanFile, QWidget* parent)
    : QWidget(parent, Qt::Window), germanFile_(std::move(germanFile)), browser_(new Browser(this))
{
    resize(640, 520);

    auto* tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* home = tools->addAction(QString(), this, [this] { showTopic(); });
    QAction* back = tools->addAction(QString(), browser_, &QTextBrowser::backward);
    QAction* forward = tools->addAction(QString(), browser_, &QTextBrowser::forward);
    home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::setTitle);
    followLanguage(this, [this, home, back, forward] {
        home->setText(tr("Inhalt"));
        back->setText(tr("Zurück"));
        forward->setText(tr("Vor"));
        browser_->setAccessibleName(tr("Hilfeseite"));
        setTitle();
        // A help file being read or that could not be read is named in the new language.
        if (load_ && (!pages_ || !pages_->isOpen()))
            browser_->setPlainText(loadingText());
        else if (pages_ && !pages_->isOpen())
            browser_->setPlainText(failureText(pages_->failure()));
        followLanguageFile();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(browser_);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::setTitle()
{
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("Zelvo-Hilfe") : tr("Zelvo-Hilfe – %1").arg(title));
}

QString HelpWindow::defaultFileName()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString beside = programDir + QStringLiteral("/Zelvo.chm");
    if (QFile::exists(beside))
        return beside;
    const QString installed = QString::fromStdString(
        (platform::installedDataFolder(programDir.toStdString()) / "Zelvo.chm").string());
    return QFile::exists(installed) ? installed : beside;
}

QTextBrowser* HelpWindow::browser() const
{
    return browser_;
}

bool HelpWindow::showTopic(const QString& topic)
{
    if (!available())
        return false;
    const QString fileName = helpFileOf(germanFile_, shownLanguage());
    if (pages_ && pages_->isOpen() && fileName == fileName_) {
        showPage(topicUrl(topic.isEmpty() ? pages_->defaultTopic() : topic), false);
    } else {
        pendingTopic_ = topic;
        openPages(fileName);
    }
    show();
    raise();
    activateWindow();
    return true;
}

void HelpWindow::openPages(const QString& fileName)
{
    if (load_ && load_->fileName() == fileName)
        return;
    delete load_;
    load_ = new HelpPagesLoad(
        fileName, [this](HelpPages pages) { pagesRead(std::move(pages)); }, reader_, kHelpReaderTime, this);
    // Pages of another language stay until the new ones are there.
    if (!pages_ || !pages_->isOpen()) {
        browser_->clearHistory();
        browser_->setPlainText(loadingText());
    }
}

void HelpWindow::pagesRead(HelpPages pages)
{
    const bool otherFile = load_->fileName() != fileName_;
    fileName_ = load_->fileName();
    std::exchange(load_, nullptr)->deleteLater();
    pages_ = std::make_unique<HelpPages>(std::move(pages));
    browser_->pages = pages_.get();
    const auto topic = std::exchange(pendingTopic_, std::nullopt);
    if (!pages_->isOpen()) {
        browser_->clearHistory();
        browser_->setPlainText(failureText(pages_->failure()));
    } else if (topic) {
        showPage(topicUrl(topic->isEmpty() ? pages_->defaultTopic() : *topic), otherFile);
    } else {
        browser_->reload();  // the page shown, read from the file of another language
    }
    followLanguageFile();  // the language may have changed while the file was read
}

void HelpWindow::showPage(const QUrl& url, bool otherFile)
{
    // The pages of each language have the same names: the same page, read from another file.
    if (otherFile && browser_->source() == url)
        browser_->reload();
    else
        browser_->setSource(url);
}

void HelpWindow::followLanguageFile()
{
    if (!isVisible() || !pages_ || !pages_->isOpen())
        return;
    const QString fileName = helpFileOf(germanFile_, shownLanguage());
    if (fileName != fileName_)
        return openPages(fileName);
    if (!load_)
        return;
    // Back to the language of the pages shown before the other file was read.
    delete std::exchange(load_, nullptr);
    if (const auto topic = std::exchange(pendingTopic_, std::nullopt))
        showPage(topicUrl(topic->isEmpty() ? pages_->defaultTopic() : *topic), false);
}

QString HelpWindow::loadingText() const
{
    return tr("Hilfe wird geladen …");
}

QString HelpWindow::failureText(HelpPages::Failure failure) const
{
    switch (failure) {
    case HelpPages::Failure::None: break;
    case HelpPages::Failure::NoReader:
        return tr("Die Hilfe kann nicht angezeigt werden: Das Programm %1 fehlt.").arg(reader_);
    case HelpPages::Failure::CannotOpen:
        return tr("Die Hilfe kann nicht angezeigt werden: Die Hilfedatei %1 lässt sich nicht öffnen.")
            .arg(fileName_);
    case HelpPages::Failure::Damaged:
        return tr("Die Hilfe kann nicht angezeigt werden: Die Hilfedatei %1 ist beschädigt.").arg(fileName_);
    case HelpPages::Failure::TooSlow:
        return tr("Die Hilfe kann nicht angezeigt werden: Das Lesen der Hilfedatei %1 dauert zu lange.")
            .arg(fileName_);
    }
    return {};
}

}  // namespace zelvo::dialogs
