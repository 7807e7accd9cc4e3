// A paste of nothing into the multi-line fields: an X clipboard that nobody owns offers data
// without any format, which Qt 6.4's own text control cannot take.
#include "dialogs/message_window.h"
#include "dialogs/settings_dialog.h"
#include "tests/protocol/station_harness.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

namespace zelvo::dialogs {
namespace {

TEST(TextFieldTest, EveryInputFieldTakesAPasteOfNothingAsNothing)
{
    testing::StationHarness h;
    MessageWindow messages(h.station);
    SettingsNews news(h.settings);
    SettingsDialog settings(news, nullptr);
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    auto fields = messages.findChildren<QPlainTextEdit*>() + settings.findChildren<QPlainTextEdit*>();
    ASSERT_EQ(fields.size(), 3);  // the message, the away and the info text
    for (QPlainTextEdit* field : fields) {
        field->setPlainText("ab");
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(field->toPlainText(), "ab") << field->objectName().toStdString();
    }
}

}  // namespace
}  // namespace zelvo::dialogs
