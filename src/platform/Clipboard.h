#pragma once
// The text clipboard.

#include <QString>
#include <string>

namespace sx::Clipboard {

void Clear();
void SetText(const QString &text);
// Takes a long UTF-8 text over without copying it.
void TakeText(std::string &&text);
QString GetText();

}  // namespace sx::Clipboard
