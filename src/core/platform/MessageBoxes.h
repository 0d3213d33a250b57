#pragma once

#include <QString>

namespace qx {

enum class MessageIcon { Information, Critical };
enum class MessageButtons { Ok, YesNo };
// Unanswered: the box went because the program is ending, not by a button.
enum class MessageAnswer { Ok, Yes, No, Unanswered };

// Modal message boxes with the application title as caption, shown over the
// program's window.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(const QString &text, MessageIcon icon, MessageButtons buttons = MessageButtons::Ok) = 0;
};

} // namespace qx
