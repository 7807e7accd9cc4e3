// The engine's status values in the language the windows show (protocol/status.h).
#pragma once

#include <QString>

#include "protocol/status.h"

namespace zelvo::app {

QString statusWords(const protocol::Status& status);

}  // namespace zelvo::app
