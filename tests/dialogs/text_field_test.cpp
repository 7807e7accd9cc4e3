// A paste of nothing into the program's multi-line fields: an X clipboard or selection that nobody
// owns offers data without any format, which Qt 6.4's own text control cannot take.
#include "dialogs/message_window.h"
#include "dialogs/settings_dialog.h"

#include "tests/protocol/station_harness.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

namespace zelvo::dialogs {
namespace {

template <class Field>
void pasteNothingInto(QWidget& window)
{
    for (Field* field : window.findChildren<Field*>()) {
        const QString name = field->objectName();
        field->setPlainText("ab");
        field->paste();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(field->toPlainText(), "ab") << name.toStdString();
    }
}

TEST(TextFieldTest, EveryMultiLineFieldTakesAPasteOfNothingAsNothing)
{
    testing::StationHarness h;
    MessageWindow messages(h.station);
    SettingsDialog settings(h.settings, nullptr);
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    for (QWidget* window : {static_cast<QWidget*>(&messages), static_cast<QWidget*>(&settings)}) {
        pasteNothingInto<QPlainTextEdit>(*window);
        pasteNothingInto<QTextEdit>(*window);
    }
    ASSERT_EQ(settings.findChildren<QPlainTextEdit*>().size(), 2);  // the away and the info text

    // Text on the clipboard is pasted as before.
    QGuiApplication::clipboard()->setText("cd");
    auto& input = *messages.findChild<QPlainTextEdit*>("SendMemo");
    input.setPlainText("ab");
    input.moveCursor(QTextCursor::End);
    QTest::keyClick(&input, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(input.toPlainText(), "abcd");
}

}  // namespace
}  // namespace zelvo::dialogs
