#include "ScriptedUser.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

#include "platform/HelpContext.h"

namespace sx {

namespace {
const char *KindName(ScriptedUser::Kind k) {
    switch (k) {
        case ScriptedUser::Kind::Message: return "message box";
        case ScriptedUser::Kind::Input: return "input box";
        case ScriptedUser::Kind::File: return "file dialog";
        case ScriptedUser::Kind::Color: return "colour dialog";
        case ScriptedUser::Kind::Help: return "help";
        case ScriptedUser::Kind::Dialog: return "dialog window";
    }
    return "?";
}
}  // namespace

ScriptedUser &ScriptedUser::Answer(MsgAnswer answer) {
    Step s(Kind::Message);
    s.answer = answer;
    script_.push_back(s);
    return *this;
}

ScriptedUser &ScriptedUser::PressReturn() {
    Step s(Kind::Message);
    s.pressReturn = true;
    script_.push_back(s);
    return *this;
}

ScriptedUser &ScriptedUser::Type(const QString &text) {
    Step s(Kind::Input);
    s.text = text;
    script_.push_back(s);
    return *this;
}

ScriptedUser &ScriptedUser::CancelInput() {
    script_.push_back(Step(Kind::Input));
    return *this;
}

ScriptedUser &ScriptedUser::ChooseFile(const QString &path, int filterIndex) {
    Step s(Kind::File);
    s.text = path;
    s.filterIndex = filterIndex;
    script_.push_back(s);
    return *this;
}

ScriptedUser &ScriptedUser::CancelFile() {
    script_.push_back(Step(Kind::File));
    return *this;
}

ScriptedUser &ScriptedUser::ChooseColor(int32_t color) {
    Step s(Kind::Color);
    s.color = color;
    script_.push_back(s);
    return *this;
}

ScriptedUser &ScriptedUser::CancelColor() {
    script_.push_back(Step(Kind::Color));
    return *this;
}

ScriptedUser &ScriptedUser::InDialog(const QString &objectName, std::function<void(QDialog *)> act) {
    Step s(Kind::Dialog);
    s.dialogName = objectName;
    s.act = std::move(act);
    script_.push_back(s);
    return *this;
}

std::optional<ScriptedUser::Step> ScriptedUser::Next(Kind kind, const QString &what) {
    if (script_.empty()) {
        failures.push_back(QStringLiteral("unscripted %1: %2").arg(QLatin1String(KindName(kind)), what));
        return std::nullopt;
    }
    Step s = script_.front();
    if (s.kind != kind) {
        failures.push_back(QStringLiteral("expected %1 but got %2: %3")
                               .arg(QLatin1String(KindName(s.kind)), QLatin1String(KindName(kind)), what));
        return std::nullopt;
    }
    script_.pop_front();
    return s;
}

MsgAnswer ScriptedUser::ShowMessage(const UserMessage &message) {
    Asked a(Kind::Message);
    a.helpPage = HelpPageForNewWindow(nullptr);
    a.message = message;
    asked.push_back(a);
    auto s = Next(Kind::Message, QString::fromStdString(message.text));
    if (!s) return message.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    return s->pressReturn ? DefaultAnswer(message) : s->answer;
}

std::optional<QString> ScriptedUser::AskInput(const QString &prompt, const QString &title, const QString &defaultText) {
    Asked a(Kind::Input);
    a.helpPage = HelpPageForNewWindow(nullptr);
    a.prompt = prompt;
    a.title = title;
    a.text = defaultText;
    asked.push_back(a);
    auto s = Next(Kind::Input, prompt);
    if (!s) return std::nullopt;
    return s->text;
}

bool ScriptedUser::ShowFileDialog(FileDialogRequest &request) {
    Asked a(Kind::File);
    a.helpPage = HelpPageForNewWindow(nullptr);
    a.file = request;
    asked.push_back(a);
    auto s = Next(Kind::File, request.filter);
    if (!s || !s->text) return false;
    request.fileName = *s->text;
    if (s->filterIndex > 0) request.filterIndex = s->filterIndex;
    return true;
}

bool ScriptedUser::ShowColorDialog(int32_t &color) {
    Asked a(Kind::Color);
    a.helpPage = HelpPageForNewWindow(nullptr);
    a.color = color;
    asked.push_back(a);
    auto s = Next(Kind::Color, QString::number(color));
    if (!s || !s->color) return false;
    color = *s->color;
    return true;
}

void ScriptedUser::ShowHelp(const QString &helpFile, int command) {
    Asked a(Kind::Help);
    a.text = helpFile;
    a.helpCommand = command;
    asked.push_back(a);
}

void ScriptedUser::ShowModal(QDialog *dialog) {
    Asked a(Kind::Dialog);
    NameHelpPage(dialog);
    a.helpPage = NamedHelpPage(dialog);
    a.prompt = dialog->objectName();
    a.title = dialog->windowTitle();
    for (const QPushButton *b : dialog->findChildren<QPushButton *>())
        if (b->isDefault()) a.defaultButton = b->objectName();
    asked.push_back(a);
    auto s = Next(Kind::Dialog, dialog->objectName());
    if (s && s->dialogName != dialog->objectName()) {
        failures.push_back(QStringLiteral("expected dialog %1 but got %2").arg(s->dialogName, dialog->objectName()));
        s.reset();
    }
    if (!s) {
        if (dialog->findChild<QAbstractButton *>(QStringLiteral("cmdCancel")))
            ClickControl(dialog, QStringLiteral("cmdCancel"));
        dialog->hide();
        return;
    }
    dialog->show();
    s->act(dialog);
    if (dialog->isVisible()) {
        failures.push_back(QStringLiteral("dialog %1 still open after its script").arg(dialog->objectName()));
        dialog->hide();
    }
}

std::vector<std::string> ScriptedUser::MessageTexts() const {
    std::vector<std::string> out;
    for (const Asked &a : asked)
        if (a.kind == Kind::Message) out.push_back(a.message.text);
    return out;
}

namespace {
QWidget *Find(QWidget *root, const QString &name) {
    if (root->objectName() == name) return root;
    return root->findChild<QWidget *>(name);
}
}  // namespace

void SetControlText(QWidget *root, const QString &name, const QString &text) {
    QWidget *w = Find(root, name);
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
        e->setText(text);
    } else if (auto *t = qobject_cast<QPlainTextEdit *>(w)) {
        t->setPlainText(text);
    } else if (auto *te = qobject_cast<QTextEdit *>(w)) {
        te->setPlainText(text);
    } else if (auto *c = qobject_cast<QComboBox *>(w)) {
        if (c->isEditable())
            c->setEditText(text);
        else
            c->setCurrentIndex(c->findText(text));
    }
}

QString ControlText(QWidget *root, const QString &name) {
    QWidget *w = Find(root, name);
    if (auto *e = qobject_cast<QLineEdit *>(w)) return e->text();
    if (auto *t = qobject_cast<QPlainTextEdit *>(w)) return t->toPlainText();
    if (auto *te = qobject_cast<QTextEdit *>(w)) return te->toPlainText();
    if (auto *c = qobject_cast<QComboBox *>(w)) return c->currentText();
    if (auto *l = qobject_cast<QLabel *>(w)) return l->text();
    if (auto *b = qobject_cast<QAbstractButton *>(w)) return b->text();
    return QString();
}

void SetControlChecked(QWidget *root, const QString &name, bool checked) {
    if (auto *b = qobject_cast<QAbstractButton *>(Find(root, name))) b->setChecked(checked);
}

bool ControlChecked(QWidget *root, const QString &name) {
    auto *b = qobject_cast<QAbstractButton *>(Find(root, name));
    return b && b->isChecked();
}

void ClickControl(QWidget *root, const QString &name) {
    if (auto *b = qobject_cast<QAbstractButton *>(Find(root, name))) b->click();
}

}  // namespace sx
