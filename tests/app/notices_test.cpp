// The notifications' bookkeeping without a server: one notification per key, replaced and
// withdrawn while the server's answers are still on their way, and texts from the air made safe
// for a server that reads markup.
#include "app/desktop_notices.h"

#include <gtest/gtest.h>

namespace zelvo::app {
namespace {

Notice message(const QString& body)
{
    return {messageKey(QStringLiteral("DL2BBB")), QStringLiteral("DL2BBB"), QStringLiteral("DL2BBB (Bert)"),
            body, true};
}

using Send = NoticeBook::Send;
using Next = NoticeBook::Next;

TEST(NoticeBook, ANoticeReplacesItsKeysNotificationEvenBeforeTheServerAnswered)
{
    NoticeBook book;
    EXPECT_EQ(book.post(message("1")), (Send{message("1"), 0}));
    // The second and third wait for the first's id; only the newest goes, replacing it.
    EXPECT_EQ(book.post(message("2")), std::nullopt);
    EXPECT_EQ(book.post(message("3")), std::nullopt);
    EXPECT_EQ(book.answered(message("1").key, 17), (Next{Send{message("3"), 17}, 0}));
    EXPECT_EQ(book.answered(message("1").key, 17), Next{});
    EXPECT_EQ(book.post(message("4")), (Send{message("4"), 17}));
    // A failed Notify keeps the id the server had.
    EXPECT_EQ(book.answered(message("1").key, 0), Next{});
    EXPECT_EQ(book.keyOf(17), message("1").key);

    // Another key is a notification of its own.
    const Notice state{stateKey("DL2BBB"), "DL2BBB", "DL2BBB (Bert)", "ist Online", false};
    EXPECT_EQ(book.post(state), (Send{state, 0}));
}

TEST(NoticeBook, WithdrawnAndClosedNotificationsAreForgotten)
{
    NoticeBook book;
    const QString key = message("").key;
    book.post(message("1"));
    book.answered(key, 5);
    EXPECT_EQ(book.withdraw(key), 5u);
    EXPECT_EQ(book.withdraw(key), 0u);
    EXPECT_EQ(book.keyOf(5), QString());
    EXPECT_EQ(book.post(message("2")), (Send{message("2"), 0}));

    // Withdrawn while its Notify is unanswered: closed as soon as the id comes, nothing waits.
    book.post(message("3"));
    EXPECT_EQ(book.withdraw(key), 0u);
    EXPECT_EQ(book.answered(key, 6), (Next{std::nullopt, 6}));
    EXPECT_EQ(book.post(message("4")), (Send{message("4"), 0}));

    // Closed by the server (expired, dismissed): the next one is new.
    book.answered(key, 7);
    book.closed(7);
    EXPECT_EQ(book.keyOf(7), QString());
    EXPECT_EQ(book.post(message("5")), (Send{message("5"), 0}));
}

TEST(NoticeBook, AConversationShowsItsLastTextsUntilWithdrawn)
{
    NoticeBook book;
    const QString key = message("").key;
    book.addText(key, "a");
    book.addText(key, "b");
    book.addText(key, "c");
    EXPECT_EQ(book.addText(key, "d"), "b\nc\nd");
    book.withdraw(key);
    EXPECT_EQ(book.addText(key, "e"), "e");
    // Also while the server has not answered yet.
    book.post(message("e"));
    book.withdraw(key);
    EXPECT_EQ(book.addText(key, "f"), "f");
}

}  // namespace
}  // namespace zelvo::app
