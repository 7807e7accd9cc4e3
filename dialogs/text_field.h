// Multi-line text fields that take a paste of nothing as nothing. Qt 6.4's text control reads the
// first format of pasted data without asking whether there is one; an X clipboard or selection
// that nobody owns (nothing copied since the desktop started) offers data without any format, and
// Ctrl+V, a middle click or a drop of it would end the program. Every multi-line field of the
// program is one of these.
#pragma once

#include <QPlainTextEdit>
#include <QTextEdit>

class QMimeData;

namespace zelvo::dialogs {

// True when `source` offers anything a text field could insert.
bool offersData(const QMimeData* source);

template <class Field>
class Guarded : public Field {
public:
    using Field::Field;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override
    {
        return offersData(source) && Field::canInsertFromMimeData(source);
    }
    void insertFromMimeData(const QMimeData* source) override
    {
        if (offersData(source))
            Field::insertFromMimeData(source);
    }
};

// Plain text: the message input, the away and info texts.
using TextField = Guarded<QPlainTextEdit>;
// Formatted text: the conversation.
using RichTextField = Guarded<QTextEdit>;

}  // namespace zelvo::dialogs
