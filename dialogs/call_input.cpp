#include "dialogs/call_input.h"

#include <QLineEdit>
#include <QValidator>

#include "dialogs/ui_text.h"

namespace zelvo::dialogs {
namespace {

// One character for one, so the cursor stays where it was.
class UpperCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override
    {
        for (QChar& c : input)
            c = c.toUpper();
        return Acceptable;
    }
};

}  // namespace

void upperCaseAsTyped(QLineEdit& field)
{
    field.setValidator(new UpperCase(&field));
}

QString CallInput::faultText(std::string_view word, protocol::CallFault fault)
{
    using protocol::CallFault;
    const QString shown = fromAnsi(word);
    switch (fault) {
    case CallFault::NoCall:
        return tr("„%1“ ist kein gültiges Rufzeichen: vor dem Bindestrich fehlt das Rufzeichen.").arg(shown);
    case CallFault::BadCharacter:
        return tr("„%1“ ist kein gültiges Rufzeichen: es besteht nur aus den Buchstaben A bis Z und "
                  "Ziffern, dahinter wahlweise eine SSID wie „-7“.")
            .arg(shown);
    case CallFault::TooLong:
        return tr("„%1“ ist kein gültiges Rufzeichen: es hat höchstens %2 Buchstaben und Ziffern, "
                  "die SSID nicht mitgezählt.")
            .arg(shown)
            .arg(protocol::kMaxCallLength);
    case CallFault::BadSsid:
        return tr("„%1“ ist kein gültiges Rufzeichen: die SSID geht von 0 bis %2.")
            .arg(shown)
            .arg(protocol::kMaxSsid);
    }
    return {};
}

}  // namespace zelvo::dialogs
