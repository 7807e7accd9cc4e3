#include "app/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTextDocument>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

#include "app/pictures.h"
#include "app/screen_reader.h"
#include "app/status_words.h"
#include "dialogs/language.h"
#include "dialogs/message_boxes.h"
#include "dialogs/ui_text.h"
#include "protocol/commands.h"

namespace zelvo::app {
namespace {

using dialogs::ListDisplay;
using protocol::TrayPicture;

// What a press on the list says about the selected station; None where the panel stays as it is.
protocol::StatusKind mouseDownStatus(TStationState state)
{
    using protocol::StatusKind;
    switch (state) {
    case TStationState::Online: return StatusKind::StationOnline;
    case TStationState::OnlineUnread: return StatusKind::MessageArrived;
    case TStationState::HasPolled: return StatusKind::StationHasPolled;
    case TStationState::Sending: return StatusKind::SendingMessage;
    case TStationState::Away: return StatusKind::StationIsAway;
    case TStationState::Offline: return StatusKind::UserOffline;
    default: return StatusKind::None;
    }
}

// The state a station is left in once its message window has been closed.
TStationState stateAfterReading(TStationState state)
{
    switch (state) {
    case TStationState::Offline:
    case TStationState::OfflineUnread: return TStationState::Offline;
    case TStationState::Away:
    case TStationState::AwayUnread: return TStationState::Away;
    default: return TStationState::Online;
    }
}

}  // namespace

MainWindow::MainWindow(Session& session, DialogCalls& dialogs, TrayIcon& tray, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      session_(session),
      dialogs_(dialogs),
      tray_(tray),
      model_(session.roster())
{
    installScreenReaderRoles();
    // The window's sizes are made for an 11 px font.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    statusBar_ = new StatusBar(this);  // measures its panels in the window's font
    statusBar_->setMessage({protocol::StatusKind::Ready});
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addWidget(statusBar_);

    buildStationMenu();
    connect(statusBar_, &StatusBar::awaySwitchClicked, this, &MainWindow::awaySwitchClick);
    connect(statusBar_, &StatusBar::doubleClicked, this, &MainWindow::goOnlineClick);
    connect(statusBar_, &StatusBar::retranslated, this, &MainWindow::applyWidth);
    connect(&model_, &RosterListModel::announcement, statusBar_, &StatusBar::announce);
    connect(&model_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { growBy(last - first + 1); });
    connect(&model_, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { shrinkBy(last - first + 1); });
    connect(&tray_, &TrayIcon::goOnlineRequested, this, &MainWindow::goOnlineClick);
    connect(&tray_, &TrayIcon::settingsRequested, this, &MainWindow::settingsClick);
    connect(&tray_, &TrayIcon::showWindowRequested, this, &MainWindow::showOrActivate);
    connect(&tray_, &TrayIcon::readUnreadRequested, this, &MainWindow::readFirstOnlineUnread);

    installEventFilter(this);

    connect(&session_.settingsNews(), &dialogs::SettingsNews::changed, this,
            [this](dialogs::Settings::Field field, auto) {
                using Field = dialogs::Settings::Field;
                if (field == Field::ShowAlias || field == Field::All)
                    QMetaObject::invokeMethod(this, [this] { applyDisplayMode(); });
            });
    applyDisplayMode();
    dialogs::followLanguage(this, [this] { setTexts(); });

    // A language whose texts are wider than the German ones widens the window as it is shown,
    // to the left: it still ends at the screen's right edge.
    resize(kWidth, kStartHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() + 1 - width(), area.top());
    }
}

void MainWindow::buildStationMenu()
{
    // The shortcuts shown here are carried out by the key table, not by the menu.
    readmail_ = stationMenu_.addAction(menuPicture(0), {}, this, &MainWindow::readmailClick);
    stationMenu_.addSeparator();
    newEntry_ = stationMenu_.addAction(menuPicture(2), {}, this, &MainWindow::newEntryClick);
    editEntry_ = stationMenu_.addAction(menuPicture(3), {}, this, &MainWindow::editEntryClick);
    deleteEntry_ = stationMenu_.addAction(menuPicture(4), {}, this, &MainWindow::deleteEntryClick);
    stationMenu_.addSeparator();
    poll_ = stationMenu_.addAction(menuPicture(5), {}, this, &MainWindow::pollClick);
    settings_ = stationMenu_.addAction(menuPicture(6), {}, this, &MainWindow::settingsClick);
    monitor_ = stationMenu_.addAction(menuPicture(10), {}, this, &MainWindow::monitorRequested);
}

MainWindow::~MainWindow() = default;

void MainWindow::setTexts()
{
    setWindowTitle(tr("Zelvo Pre 2"));
    showReadmailText();
    newEntry_->setText(tr("Eintrag e&rstellen\tAlt+R"));
    editEntry_->setText(tr("Eintrag &bearbeiten\tAlt+B"));
    deleteEntry_->setText(tr("Eintrag &löschen\tAlt+L"));
    poll_->setText(tr("User &pollen\tAlt+P"));
    settings_->setText(tr("&Einstellungen\tAlt+E"));
    monitor_->setText(tr("&Monitor\tAlt+M"));
    if (view_)
        view_->setAccessibleName(tr("Stationsliste"));
    model_.retranslate();
}

void MainWindow::showReadmailText()
{
    readmail_->setText(readmailReads_ ? tr("&Nachricht lesen\tAlt+N") : tr("&Nachricht senden\tAlt+N"));
    readmail_->setIcon(menuPicture(readmailReads_ ? 0 : 1));
}

QTreeView& MainWindow::rosterView()
{
    if (view_)
        return *view_;
    view_ = new QTreeView;
    view_->setModel(&model_);
    view_->setRootIsDecorated(false);
    view_->setItemsExpandable(false);
    view_->setUniformRowHeights(true);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setIconSize(QSize(24, 24));
    view_->setAllColumnsShowFocus(true);
    view_->setTextElideMode(Qt::ElideNone);
    view_->header()->setStretchLastSection(false);
    view_->header()->setSectionsClickable(true);
    view_->header()->setSectionsMovable(false);
    view_->setColumnWidth(RosterListModel::CallColumn, 80);
    view_->setColumnWidth(RosterListModel::AliasColumn, 83);
    for (int column :
         {RosterListModel::ChannelColumn, RosterListModel::PathColumn, RosterListModel::SoundsColumn})
        view_->setColumnHidden(column, true);

    connect(view_, &QAbstractItemView::doubleClicked, this, &MainWindow::listDoubleClick);
    connect(view_->header(), &QHeaderView::sectionClicked, this, &MainWindow::headerClick);
    // The window sees every key before the list does.
    view_->installEventFilter(this);
    view_->viewport()->installEventFilter(this);
    layout_->insertWidget(0, view_);
    view_->setAccessibleName(tr("Stationsliste"));
    tellCurrentItemOnFocus(*view_);
    applyDisplayMode();
    return *view_;
}

void MainWindow::setVisible(bool visible)
{
    if (visible)
        rosterView();
    QWidget::setVisible(visible);
}

QWidget* MainWindow::dialogOwner()
{
    return isVisible() ? this : nullptr;
}

bool MainWindow::confirmQuit()
{
    // The question's line break is a CR; a plain-text label breaks at LF.
    return dialogs::askOkCancel(dialogOwner(), QMessageBox::Question,
                                tr("Sind sie sicher, dass sie Zelvo beenden wollen? Evtl noch\n"
                                   "ausstehende Texte im RX oder TX-Buffer werden gelöscht."));
}

void MainWindow::popUp()
{
    if (!isVisible() || isMinimized())
        present();
}

void MainWindow::showOrActivate()
{
    present();
}

void MainWindow::present()
{
    // A tool window has no task bar entry: minimised, nothing but the program brings it back.
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    QTreeView& view = rosterView();
    const QModelIndex current = view.currentIndex();
    if (model_.rowCount() > 0)
        view.setCurrentIndex(current.isValid() ? current : model_.index(0, RosterListModel::CallColumn));
    view.setFocus();
}

void MainWindow::goOnlineClick()
{
    protocol::goOnlineClick(station());
}

void MainWindow::readmailClick()
{
    TUserEntry* entry = selectedEntry();
    if (entry == nullptr)
        return;
    dialogs_.openMessages(*entry);
    session_.roster().setState(*entry, stateAfterReading(entry->state));
    dialogs_.prepareMessages(*entry);
    tray_.setPicture(station().online() ? TrayPicture::MainIcon : TrayPicture::SelfOff);
}

void MainWindow::pollClick()
{
    if (TUserEntry* entry = selectedEntry())
        protocol::pollStation(station(), *entry);
    else
        statusBar_->setMessage({protocol::StatusKind::Ready});
}

void MainWindow::newEntryClick()
{
    if (session_.roster().isFull())
        dialogs::showNote(dialogOwner(), tr("Maximale Anzahl erreicht"));
    else
        dialogs_.editNew();
}

void MainWindow::editEntryClick()
{
    if (TUserEntry* entry = selectedEntry())
        dialogs_.editExisting(*entry);
}

void MainWindow::deleteEntryClick()
{
    TUserEntry* entry = selectedEntry();
    if (entry == nullptr ||
        !dialogs::askOkCancel(dialogOwner(), QMessageBox::Question,
                              tr("%1 wirklich löschen ?").arg(dialogs::fromAnsi(entry->call))))
        return;
    // The second question is about texts of this run (waiting, received or delivered); lines
    // kept by earlier runs alone do not ask it.
    const bool textsOfThisRun = !entry->txBuffer.empty() || entry->rxBuffer.size() > entry->keptDates.size();
    if (textsOfThisRun && !dialogs::askOkCancel(dialogOwner(), QMessageBox::Critical,
                                                tr("Es sind noch Texte im Puffer. Trotzdem löschen ?")))
        return;
    protocol::deleteEntry(station(), *entry);
}

void MainWindow::settingsClick()
{
    dialogs_.openSettings();
}

void MainWindow::listDoubleClick()
{
    const TUserEntry* entry = selectedEntry();
    if (entry == nullptr || entry->state == TStationState::Sending)
        return;
    if (entry->state == TStationState::Offline)
        pollClick();
    else
        readmailClick();
}

void MainWindow::headerClick()
{
    session_.roster().sortByState();
}

void MainWindow::awaySwitchClick()
{
    protocol::toggleAway(station());
}

void MainWindow::readFirstOnlineUnread()
{
    const Roster& roster = session_.roster();
    for (int row = 0; row < roster.size(); ++row) {
        if (roster.at(row).state == TStationState::OnlineUnread) {
            select(row);
            readmailClick();
            return;
        }
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool onList = view_ && watched == view_->viewport();
    switch (event->type()) {
    case QEvent::KeyPress:
        if ((view_ && watched == view_) || watched == this)
            return handleKey(*static_cast<QKeyEvent*>(event));
        break;
    case QEvent::MouseButtonPress:
        if (onList) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            // The press selects the row under the pointer before its handler looks at the selection.
            if (const QModelIndex index = view_->indexAt(mouse->position().toPoint()); index.isValid())
                view_->setCurrentIndex(index);
            listMouseDown(mouse->button(), mouse->globalPosition().toPoint());
            return mouse->button() == Qt::RightButton;
        }
        break;
    case QEvent::ToolTip:
        if (onList) {
            const auto* help = static_cast<QHelpEvent*>(event);
            const QString tip = model_.data(view_->indexAt(help->pos()), Qt::ToolTipRole).toString();
            if (tip.isEmpty())
                QToolTip::hideText();
            else  // the away text comes from the air
                QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(tip), view_->viewport());
            return true;
        }
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::handleKey(const QKeyEvent& event)
{
    const int key = event.key();
    const auto modifiers = event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && modifiers == Qt::NoModifier) {
        listDoubleClick();
        return true;
    }
    if (key == Qt::Key_F1) {
        dialogs_.showHelp();
        return true;
    }
    // The keyboard's way to the station menu, below the current row.
    if (key == Qt::Key_Menu || (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        QTreeView& view = rosterView();
        const QRect row = view.visualRect(view.currentIndex());
        openStationMenuFor(selectedEntry(),
                           view.viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint()));
        return true;
    }
    if (modifiers != Qt::AltModifier)
        return false;
    switch (key) {
    case Qt::Key_N: readmailClick(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!dialogs_.messagesVisible())
            openStationMenu(frameGeometry().topLeft() + QPoint(10, 30));
        return true;
    case Qt::Key_B: editEntryClick(); return true;
    case Qt::Key_E: settingsClick(); return true;
    case Qt::Key_M: emit monitorRequested(); return true;
    case Qt::Key_L: deleteEntryClick(); return true;
    case Qt::Key_O: goOnlineClick(); return true;
    case Qt::Key_P: pollClick(); return true;
    case Qt::Key_R: newEntryClick(); return true;
    case Qt::Key_F4: hide(); return true;
    default: return false;
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    tray_.setPicture(TrayPicture::Recompute);
    if (quitting_) {
        event->accept();
        return;
    }
    event->ignore();
    if (closeAsks_)
        emit quitRequested();
    else
        hide();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    applyWidth();
    emit shown();
}

TUserEntry* MainWindow::selectedEntry() const
{
    if (!view_)
        return nullptr;  // never shown: nothing selected
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : model_.entry(rows.first());
}

void MainWindow::select(int row)
{
    rosterView().setCurrentIndex(model_.index(row, RosterListModel::CallColumn));
}

void MainWindow::listMouseDown(Qt::MouseButton button, const QPoint& globalPos)
{
    const TUserEntry* entry = selectedEntry();
    if (entry != nullptr) {
        if (const auto kind = mouseDownStatus(entry->state); kind != protocol::StatusKind::None)
            statusBar_->setMessage({kind});
    }
    if (button == Qt::RightButton)
        openStationMenuFor(entry, globalPos);
}

void MainWindow::openStationMenuFor(const TUserEntry* entry, const QPoint& globalPos)
{
    if (entry != nullptr) {
        readmailReads_ = entry->state == TStationState::OnlineUnread;
        showReadmailText();
    }
    openStationMenu(globalPos);
}

void MainWindow::openStationMenu(const QPoint& globalPos)
{
    stationMenu_.popup(globalPos);
}

void MainWindow::applyDisplayMode()
{
    const ListDisplay mode = session_.settings().showAlias();
    if (!view_)
        return;
    view_->setColumnHidden(RosterListModel::AliasColumn, mode == ListDisplay::CallsOnly);
    view_->setHeaderHidden(mode != ListDisplay::CallNameAndHeader);
    applyWidth();
}

void MainWindow::applyWidth()
{
    // Only the height is the user's. The German texts fit the widths; a language whose status bar
    // texts are wider adds what they need.
    if (!isVisible())
        return;
    const int wider = std::max(0, statusBar_->neededWidth() - kWidth);
    setFixedWidth((session_.settings().showAlias() == ListDisplay::CallsOnly ? kCallsOnlyWidth : kWidth) +
                  wider);
    // What a switch of the language adds goes to the left: the window keeps its right edge.
    if (wider != languageWidth_)
        move(x() - (wider - languageWidth_), y());
    languageWidth_ = wider;
}

void MainWindow::growBy(int rows)
{
    const int size = model_.rowCount();
    for (int count = size - rows + 1; count <= size; ++count) {
        if (count > kRowsWithoutGrowing && screen()->geometry().height() > height())
            resize(width(), height() + kRowHeight);
    }
}

void MainWindow::shrinkBy(int rows)
{
    // Called before the rows go, so the count still holds them.
    const int size = model_.rowCount();
    for (int count = size; count > size - rows; --count) {
        if (count > kRowsWithoutGrowing)
            resize(width(), height() - kRowHeight);
    }
}

}  // namespace zelvo::app
