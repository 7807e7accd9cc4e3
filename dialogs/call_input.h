// What the windows share for a typed call: the field turns letters upper case as they are typed,
// and a call that breaks the AX.25 call rule (protocol/call_rules.h) gets one German sentence
// that names it and says what is wrong.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <string_view>

#include "protocol/call_rules.h"

class QLineEdit;

namespace zelvo::dialogs {

// Every letter typed or pasted into `field` becomes upper case.
void upperCaseAsTyped(QLineEdit& field);

class CallInput {
    Q_DECLARE_TR_FUNCTIONS(CallInput)
public:
    // `word` in Windows-1252.
    static QString faultText(std::string_view word, protocol::CallFault fault);
};

}  // namespace zelvo::dialogs
