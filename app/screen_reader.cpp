#include "app/screen_reader.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHideEvent>
#include <QTimer>

#include "app/main_window.h"
#include "app/status_bar.h"

namespace zelvo::app {
namespace {

QAccessibleInterface* roleFor(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    if (className == QLatin1String(MainWindow::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String(StatusBar::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    if (className == QLatin1String(Announcer::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

// Sends the focus event of the current cell once the view's own one has gone out: the focus-in
// comes before it, and the reader names what has the focus last.
class CurrentItemOnFocus : public QObject {
public:
    explicit CurrentItemOnFocus(QAbstractItemView& view) : QObject(&view), view_(view)
    {
        view.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn)
            QMetaObject::invokeMethod(this, &CurrentItemOnFocus::tell, Qt::QueuedConnection);
        return false;
    }

private:
    void tell()
    {
        const QModelIndex current = view_.currentIndex();
        if (!QAccessible::isActive() || !view_.hasFocus() || !current.isValid())
            return;
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view_);
        QAccessibleTableInterface* table = list != nullptr ? list->tableInterface() : nullptr;
        QAccessibleInterface* cell =
            table != nullptr ? table->cellAt(current.row(), current.column()) : nullptr;
        if (cell == nullptr)
            return;
        QAccessibleEvent focus(&view_, QAccessible::Focus);
        focus.setChild(list->indexOfChild(cell));
        QAccessible::updateAccessibility(&focus);
    }

    QAbstractItemView& view_;
};

}  // namespace

void tellCurrentItemOnFocus(QAbstractItemView& view)
{
    new CurrentItemOnFocus(view);
}

void installScreenReaderRoles()
{
    static const bool installed = [] {
        QAccessible::installFactory(roleFor);
        return true;
    }();
    (void)installed;
}

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    installScreenReaderRoles();
    // Nothing to see and nothing to click: it only speaks.
    setFixedSize(0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void Announcer::announce(const QString& text)
{
    if (text.isEmpty())
        return;
    if (pending_.isEmpty())
        QTimer::singleShot(0, this, &Announcer::speak);
    pending_ << text;
}

void Announcer::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && !isHidden())
        hide();
}

void Announcer::speak()
{
    if (!window()->isVisible()) {
        pending_.clear();
        return;
    }
    QString text = pending_.takeFirst();
    for (const QString& next : std::as_const(pending_))
        text = tr("%1. %2").arg(text, next);
    pending_.clear();
    // Hidden first, so that each text is a new appearance, also when it repeats the last one.
    hide();
    setAccessibleName(text);
    show();
}

}  // namespace zelvo::app
