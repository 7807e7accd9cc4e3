#include "dialogs/help_window.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

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
    const HelpFile* file = nullptr;

    QVariant loadResource(int type, const QUrl& name) override
    {
        const QUrl url = page_.resolved(name);
        if (type == QTextDocument::HtmlResource)
            page_ = url;
        if (!file || url.scheme() != kScheme)
            return {};
        const auto data = file->read(url.path());
        if (!data)
            return {};
        if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(*data);  // the pages are UTF-8
        return *data;
    }

private:
    QUrl page_ = topicUrl(QStringLiteral("/"));
};

HelpWindow::HelpWindow(QString fileName, QWidget* parent)
    : QWidget(parent, Qt::Window), fileName_(std::move(fileName)), browser_(new Browser(this))
{
    setWindowTitle(QStringLiteral("Zelvo-Hilfe"));
    resize(640, 520);

    auto* tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* home = tools->addAction(QStringLiteral("Inhalt"), this, [this] { showTopic(); });
    QAction* back = tools->addAction(QStringLiteral("Zurück"), browser_, &QTextBrowser::backward);
    QAction* forward = tools->addAction(QStringLiteral("Vor"), browser_, &QTextBrowser::forward);
    home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Zelvo-Hilfe")
                                       : QStringLiteral("Zelvo-Hilfe – ") + title);
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(browser_);
}

HelpWindow::~HelpWindow() = default;

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
    if (!file_ || !file_->isOpen()) {
        file_ = std::make_unique<HelpFile>(fileName_);
        browser_->file = file_.get();
    }
    if (file_->isOpen()) {
        browser_->setSource(topicUrl(topic.isEmpty() ? file_->defaultTopic() : topic));
    } else {
        browser_->clearHistory();
        browser_->setPlainText(QStringLiteral("Die Hilfedatei %1 lässt sich nicht öffnen.").arg(fileName_));
    }
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace zelvo::dialogs
