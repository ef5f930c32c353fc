#include "ScrollMessageBox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "FileNames.h"
#include "MessageButtons.h"
#include "ScreenFit.h"

namespace sx {

namespace {

// A message box wraps its text at about this width (Qt's soft limit less
// the icon), and needs about this much height besides the text.
constexpr int kWrapWidth = 420;
constexpr int kChromeHeight = 120;
constexpr int kBoxWidth = 560;

QString DisplayText(const QString &text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

QStyle::StandardPixmap StyleIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Question: return QStyle::SP_MessageBoxQuestion;
        case MsgIcon::Exclamation: return QStyle::SP_MessageBoxWarning;
        case MsgIcon::Information: break;
        case MsgIcon::None: break;
    }
    return QStyle::SP_MessageBoxInformation;
}

QString ButtonName(MsgAnswer answer) {
    switch (answer) {
        case MsgAnswer::Ok: return QStringLiteral("cmdOk");
        case MsgAnswer::Cancel: return QStringLiteral("cmdCancel");
        case MsgAnswer::Yes: return QStringLiteral("cmdYes");
        case MsgAnswer::No: return QStringLiteral("cmdNo");
    }
    return QString();
}

}  // namespace

bool MessageTooTallForScreen(const QString &text, const QWidget *parent) {
    const QFontMetrics fm(QApplication::font("QMessageBox"));
    const QRect needed =
        fm.boundingRect(QRect(0, 0, kWrapWidth, 0), Qt::TextWordWrap | Qt::TextExpandTabs, DisplayText(text));
    return needed.height() + kChromeHeight > LargestClientSize(parent).height();
}

ScrollMessageBox::ScrollMessageBox(const UserMessage &m, QWidget *parent)
    : QDialog(parent), answer_(ClosedAnswer(m.buttons)) {
    setObjectName(QStringLiteral("ScrollMessageBox"));
    setWindowTitle(ShownText(m.title));

    auto *top = new QHBoxLayout;
    if (m.icon != MsgIcon::None) {
        auto *icon = new QLabel(this);
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        icon->setPixmap(style()->standardIcon(StyleIcon(m.icon), nullptr, this).pixmap(size, size));
        icon->setAlignment(Qt::AlignTop);
        top->addWidget(icon);
    }
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("txtMessage"));
    text_->setReadOnly(true);
    text_->setPlainText(DisplayText(ShownText(m.text)));
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    top->addWidget(text_, 1);

    auto *box = new QDialogButtonBox(this);
    const MsgAnswer byReturn = DefaultAnswer(m);
    for (const MessageButton &b : ButtonsOf(m.buttons)) {
        QPushButton *button = box->addButton(b.text, b.role);
        button->setObjectName(ButtonName(b.answer));
        const MsgAnswer answer = b.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] {
            answer_ = answer;
            accept();
        });
        if (answer == byReturn) {
            button->setDefault(true);
            button->setFocus();
        }
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(box);

    const QSize largest = LargestClientSize(parent);
    resize(qMin(kBoxWidth, largest.width()), largest.height() * 3 / 4);
}

}  // namespace sx
