#pragma once
// A message box as the core describes it; the windows show it.

#include <optional>
#include <string>
#include <vector>

namespace sx {

enum class MsgIcon { None, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct UserMessage {
    std::string text;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    std::string title = "Strudelax";
    // The button that Return presses; empty for the first one.
    std::optional<MsgAnswer> defaultButton = std::nullopt;
};

// The answer of the button that Return presses.
inline MsgAnswer DefaultAnswer(const UserMessage &m) {
    if (m.defaultButton) return *m.defaultButton;
    return m.buttons == MsgButtons::Ok || m.buttons == MsgButtons::OkCancel ? MsgAnswer::Ok : MsgAnswer::Yes;
}

using Messages = std::vector<UserMessage>;

}  // namespace sx
