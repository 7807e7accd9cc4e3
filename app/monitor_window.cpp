#include "app/monitor_window.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <set>

#include "dialogs/language.h"
#include "dialogs/message_boxes.h"

namespace zelvo::app {

namespace {

QTableView* makeTable(QAbstractItemModel& model)
{
    auto* view = new QTableView;
    view->setModel(&model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

}  // namespace

MonitorWindow::MonitorWindow(MonitorFeed feed, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(std::move(feed)), filter_(model_)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildControls());
    layout->addWidget(buildTables(), 1);
    setTabOrder(save_, lineView_);
    setTabOrder(lineView_, heardView_);
    connectControls();
    resize(1000, 440);
    dialogs::followLanguage(this, [this] { setTexts(); });
}

MonitorWindow::~MonitorWindow()
{
    model_.close();
}

QSplitter* MonitorWindow::buildTables()
{
    lineView_ = makeTable(filter_);
    lineView_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Narrow columns leave the room to the text, which stretches.
    for (auto [column, width] : {std::pair{MonitorModel::TimeColumn, 62},
                                 {MonitorModel::ChannelColumn, 72},
                                 {MonitorModel::DirectionColumn, 66},
                                 {MonitorModel::FromColumn, 76},
                                 {MonitorModel::ToColumn, 76},
                                 {MonitorModel::ViaColumn, 96},
                                 {MonitorModel::TypeColumn, 84},
                                 {MonitorModel::PidColumn, 34}})
        lineView_->setColumnWidth(column, width);
    heardView_ = makeTable(model_.heard());
    // Widths fitted to the contents would be measured again at every batch.
    for (auto [column, width] : {std::pair{app::HeardModel::CallColumn, 80},
                                 {app::HeardModel::ChannelColumn, 45},
                                 {app::HeardModel::LastHeardColumn, 90},
                                 {app::HeardModel::FramesColumn, 55}})
        heardView_->setColumnWidth(column, width);

    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->addWidget(lineView_);
    splitter_->addWidget(heardView_);
    splitter_->setStretchFactor(0, 4);
    splitter_->setStretchFactor(1, 1);
    return splitter_;
}

void MonitorWindow::connectControls()
{
    connect(call_, &QLineEdit::textChanged, &filter_, &MonitorFilter::setCall);
    connect(channel_, &QComboBox::currentIndexChanged, this, [this] {
        filter_.setChannel(channel_->currentData().isValid() ? channel_->currentData().toInt() : -1);
    });
    connect(pause_, &QPushButton::toggled, this, [this](bool paused) {
        model_.setPaused(paused);
        setTexts();
    });
    connect(copy_, &QPushButton::clicked, this, &MonitorWindow::copyLines);
    connect(save_, &QPushButton::clicked, this, &MonitorWindow::saveAs);
    // New lines keep the end in view while the user has not scrolled up.
    connect(&filter_, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
        const QScrollBar* bar = lineView_->verticalScrollBar();
        atBottom_ = bar->value() == bar->maximum();
    });
    connect(&filter_, &QAbstractItemModel::rowsInserted, this, &MonitorWindow::followNewLines);

    auto addKey = [this](QKeySequence key, auto slot) {
        auto* action = new QAction(this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    addKey(QKeySequence::Copy, &MonitorWindow::copyLines);
    addKey(QKeySequence::Save, &MonitorWindow::saveAs);
    addKey(QKeySequence(Qt::Key_Escape), &QWidget::close);
}

QWidget* MonitorWindow::buildControls()
{
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    callLabel_ = new QLabel;
    call_ = new QLineEdit;
    call_->setMaxLength(9);
    callLabel_->setBuddy(call_);
    channelLabel_ = new QLabel;
    channel_ = new QComboBox;
    channelLabel_->setBuddy(channel_);
    pause_ = new QPushButton;
    pause_->setCheckable(true);
    copy_ = new QPushButton;
    save_ = new QPushButton;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{callLabel_, call_, channelLabel_, channel_, pause_, copy_, save_})
        row->addWidget(widget);
    row->addStretch(1);
    return bar;
}

void MonitorWindow::setTexts()
{
    setWindowTitle(tr("Monitor"));
    callLabel_->setText(tr("&Rufzeichen:"));
    call_->setAccessibleName(tr("Rufzeichen filtern"));
    call_->setToolTip(tr("Nur Zeilen, deren Von, An oder Via diesen Text enthält"));
    channelLabel_->setText(tr("Ka&nal:"));
    channel_->setAccessibleName(tr("Kanal filtern"));
    if (channel_->count() > 0)
        channel_->setItemText(0, tr("Alle Kanäle"));
    pause_->setText(model_.paused() ? tr("&Weiter") : tr("&Anhalten"));
    pause_->setAccessibleName(model_.paused() ? tr("Weiter") : tr("Anhalten"));
    pause_->setToolTip(tr("Neue Zeilen zurückhalten; die Liste der gehörten Stationen zählt weiter"));
    copy_->setText(tr("&Kopieren"));
    copy_->setAccessibleName(tr("Kopieren"));
    copy_->setToolTip(tr("Die markierten Zeilen in die Zwischenablage, ohne Markierung alle (Strg+C)"));
    save_->setText(tr("&Speichern..."));
    save_->setAccessibleName(tr("Speichern"));
    save_->setToolTip(tr("Die angezeigten Zeilen als Textdatei speichern (Strg+S)"));
    lineView_->setAccessibleName(tr("Monitorzeilen"));
    heardView_->setAccessibleName(tr("Gehörte Stationen"));
    model_.retranslate();
}

void MonitorWindow::fillChannels()
{
    const QVariant chosen = channel_->currentData();
    channel_->clear();
    channel_->addItem(tr("Alle Kanäle"));
    for (int number : model_.channels())
        channel_->addItem(model_.channelText(number), number);
    const int index = channel_->findData(chosen);
    channel_->setCurrentIndex(index < 0 ? 0 : index);
}

void MonitorWindow::showOrActivate()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    lineView_->setFocus();
}

void MonitorWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!model_.isOpen()) {
        fillChannels();
        model_.open();
    }
}

void MonitorWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A minimised window hides spontaneously and keeps listening; a closed one stops.
    if (!event->spontaneous())
        model_.close();
}

void MonitorWindow::followNewLines()
{
    if (atBottom_)
        lineView_->scrollToBottom();
}

QString MonitorWindow::shownText(bool selectedOnly) const
{
    std::set<int> rows;
    if (selectedOnly) {
        for (const QModelIndex& index : lineView_->selectionModel()->selectedRows())
            rows.insert(index.row());
    }
    if (rows.empty()) {
        for (int row = 0; row < filter_.rowCount(); ++row)
            rows.insert(row);
    }
    QString text;
    for (int row : rows)
        text += model_.lineText(filter_.mapToSource(filter_.index(row, 0)).row()) + QLatin1Char('\n');
    return text;
}

void MonitorWindow::copyLines()
{
    QGuiApplication::clipboard()->setText(shownText(true));
}

void MonitorWindow::saveAs()
{
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Monitor speichern"), QStringLiteral("monitor.txt"),
                                     tr("Textdateien (*.txt);;Alle Dateien (*)"));
    if (!path.isEmpty())
        saveTo(path);
}

bool MonitorWindow::saveTo(const QString& path)
{
    QSaveFile file(path);
    const QByteArray bytes = shownText(false).toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    dialogs::showError(
        this, tr("Der Monitor konnte nicht in %1 gespeichert werden: %2").arg(path, file.errorString()));
    return false;
}

}  // namespace zelvo::app
