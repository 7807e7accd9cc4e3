#include "app/status_words.h"

#include <QCoreApplication>

#include "platform/ansi.h"

namespace zelvo::app {

QString statusWords(const protocol::Status& status)
{
    if (status.kind == protocol::StatusKind::StoreProblem)
        return platform::shownText(status.problem);
    const QString sentence =
        QCoreApplication::translate(protocol::kStatusContext, protocol::statusFormat(status.kind));
    return sentence.contains(QLatin1String("%1")) ? sentence.arg(platform::fromAnsi(status.argument))
                                                  : sentence;
}

}  // namespace zelvo::app
