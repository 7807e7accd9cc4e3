// How the roster window reaches the dialogs (message window, entry editor, settings dialog,
// help), which are built on top of it.
#pragma once

#include "app/roster.h"

namespace zelvo::app {

class DialogCalls {
public:
    virtual ~DialogCalls() = default;
    // Prepares the message window for `entry` (caption, unread cleared, history shown), shows it
    // modally and returns once it has been closed.
    virtual void openMessages(TUserEntry& entry) = 0;
    // Prepares the message window for `entry` again, without showing it.
    virtual void prepareMessages(TUserEntry& entry) = 0;
    virtual bool messagesVisible() const = 0;
    // The entry editor, modal, for a new entry or for `entry`.
    virtual void editNew() = 0;
    virtual void editExisting(TUserEntry& entry) = 0;
    // The settings dialog, modal.
    virtual void openSettings() = 0;
    // The help at its default topic; nothing when no help is available.
    virtual void showHelp() = 0;
};

}  // namespace zelvo::app
