#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace sx::Clipboard {

namespace {
// Offers a text that it owns for as long as the clipboard holds it.
class OwnedText : public QMimeData {
public:
    explicit OwnedText(std::string &&text) : text_(std::move(text)) {
        setData(QStringLiteral("text/plain"),
                QByteArray::fromRawData(text_.data(), static_cast<qsizetype>(text_.size())));
    }

private:
    std::string text_;
};
}  // namespace

void Clear() { QGuiApplication::clipboard()->clear(); }
void SetText(const QString &text) { QGuiApplication::clipboard()->setText(text); }
void TakeText(std::string &&text) { QGuiApplication::clipboard()->setMimeData(new OwnedText(std::move(text))); }
QString GetText() { return QGuiApplication::clipboard()->text(); }

}  // namespace sx::Clipboard
