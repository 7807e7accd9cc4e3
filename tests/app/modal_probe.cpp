// Loaded into the windowed program with LD_PRELOAD by the start-up box tests: prints one line on
// stdout for every modal window as it is shown, "modal <class>: <text>" (a message box's text,
// else the window title), so that a test outside the process knows which box is open.
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>

#include <cstdio>

namespace {

class ModalProbe : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog == nullptr || !dialog->isModal())
            return false;
        const auto* box = qobject_cast<QMessageBox*>(dialog);
        const QString text = (box != nullptr ? box->text() : dialog->windowTitle()).simplified();
        std::printf("modal %s: %s\n", dialog->metaObject()->className(), text.toUtf8().constData());
        std::fflush(stdout);
        return false;
    }
};

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new ModalProbe(QCoreApplication::instance()));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
