#pragma once
// The text clipboard.

#include <QString>

namespace sx::Clipboard {

void Clear();
void SetText(const QString &text);
QString GetText();

}  // namespace sx::Clipboard
