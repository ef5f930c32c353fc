#pragma once
// A message box as the core describes it; the windows show it.

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
};

using Messages = std::vector<UserMessage>;

}  // namespace sx
