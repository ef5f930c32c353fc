#pragma once
// The buttons of a message box, in the order and with the texts they show.

#include <QDialogButtonBox>
#include <QString>
#include <vector>

#include "Message.h"

namespace sx {

struct MessageButton {
    MsgAnswer answer;
    QString text;
    QDialogButtonBox::ButtonRole role;
};

inline std::vector<MessageButton> ButtonsOf(MsgButtons buttons) {
    const MessageButton ok{MsgAnswer::Ok, QStringLiteral("OK"), QDialogButtonBox::AcceptRole};
    const MessageButton cancel{MsgAnswer::Cancel, QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole};
    const MessageButton yes{MsgAnswer::Yes, QStringLiteral("&Ja"), QDialogButtonBox::YesRole};
    const MessageButton no{MsgAnswer::No, QStringLiteral("&Nein"), QDialogButtonBox::NoRole};
    switch (buttons) {
        case MsgButtons::Ok: return {ok};
        case MsgButtons::OkCancel: return {ok, cancel};
        case MsgButtons::YesNo: return {yes, no};
        case MsgButtons::YesNoCancel: return {yes, no, cancel};
    }
    return {ok};
}

// The answer of a box closed by its close box or Escape: Cancel where it has
// one, otherwise No for a question and OK for a plain message.
inline MsgAnswer ClosedAnswer(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OkCancel:
        case MsgButtons::YesNoCancel: return MsgAnswer::Cancel;
        case MsgButtons::YesNo: return MsgAnswer::No;
        case MsgButtons::Ok: break;
    }
    return MsgAnswer::Ok;
}

}  // namespace sx
