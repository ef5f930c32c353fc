#include "QtUser.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "HelpViewer.h"
#include "VectorDocument.h"

namespace sx {

namespace {

UserInteraction *g_user = nullptr;

QtUser &RealUser() {
    static QtUser user;
    return user;
}

QWidget *ActiveParent() { return QApplication::activeWindow(); }

// A modal window hands the keyboard back to where it was, so that the
// document's shortcuts keep working (some window managers leave the frame
// inactive after a modal window closes).
class RestoreFocus {
public:
    RestoreFocus() : window_(QApplication::activeWindow()), focus_(QApplication::focusWidget()) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~RestoreFocus() {
        QApplication::restoreOverrideCursor();
        if (window_) window_->activateWindow();
        if (focus_) focus_->setFocus();
    }

private:
    QPointer<QWidget> window_, focus_;
};

}  // namespace

UserInteraction &User() { return g_user ? *g_user : RealUser(); }
void SetUser(UserInteraction *user) { g_user = user; }

MsgAnswer MessageBox(const std::string &text, MsgIcon icon, MsgButtons buttons, const std::string &title) {
    return User().ShowMessage({text, icon, buttons, title});
}

QString InputBox(const QString &prompt, const QString &title, const QString &defaultText) {
    auto r = User().AskInput(prompt, title, defaultText);
    return r ? *r : QString();
}

MsgAnswer QtUser::ShowMessage(const UserMessage &m) {
    QMessageBox box(ActiveParent());
    box.setWindowTitle(QString::fromStdString(m.title));
    box.setText(QString::fromStdString(m.text));
    switch (m.icon) {
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::None: break;
    }
    QAbstractButton *ok = nullptr, *cancel = nullptr, *yes = nullptr, *no = nullptr;
    switch (m.buttons) {
    case MsgButtons::Ok: ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole); break;
    case MsgButtons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        break;
    case MsgButtons::YesNo:
        yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        break;
    case MsgButtons::YesNoCancel:
        yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        break;
    }
    if (cancel) box.setEscapeButton(cancel);
    {
        RestoreFocus keep;
        box.exec();
    }
    QAbstractButton *clicked = box.clickedButton();
    if (clicked == yes && yes) return MsgAnswer::Yes;
    if (clicked == no && no) return MsgAnswer::No;
    if (clicked == ok && ok) return MsgAnswer::Ok;
    if (cancel) return MsgAnswer::Cancel;
    // an OK-only or Yes/No box closed by its close box
    return m.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
}

std::optional<QString> QtUser::AskInput(const QString &prompt, const QString &title, const QString &defaultText) {
    bool ok = false;
    RestoreFocus keep;
    QString text = QInputDialog::getText(ActiveParent(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok) return std::nullopt;
    return text;
}

QStringList QtFilterList(const QString &filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int k = 0; k + 1 < parts.size(); k += 2) {
        QString patterns = parts[k + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString desc = parts[k];
        // the description already names its pattern in brackets: show it once
        if (desc.contains(QLatin1Char('('))) desc = desc.left(desc.indexOf(QLatin1Char('('))).trimmed();
        out << QStringLiteral("%1 (%2)").arg(desc, patterns);
    }
    return out;
}

bool QtUser::ShowFileDialog(FileDialogRequest &r) {
    QFileDialog dlg(ActiveParent(), r.title);
    dlg.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !(r.save && (r.flags & 2)));
    const QStringList filters = QtFilterList(r.filter);
    dlg.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size()) dlg.selectNameFilter(filters[r.filterIndex - 1]);
    if (!r.initDir.isEmpty()) dlg.setDirectory(r.initDir);
    if (!r.fileName.isEmpty()) dlg.selectFile(r.fileName);
    bool accepted;
    {
        RestoreFocus keep;
        accepted = dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty();
    }
    if (!accepted) return false;
    r.fileName = dlg.selectedFiles().first();
    r.filterIndex = static_cast<int>(filters.indexOf(dlg.selectedNameFilter())) + 1;
    if (r.filterIndex < 1) r.filterIndex = 1;
    return true;
}

bool QtUser::ShowColorDialog(int32_t &color) {
    QColor initial(RedOf(color), GreenOf(color), BlueOf(color));
    RestoreFocus keep;
    QColor c = QColorDialog::getColor(initial, ActiveParent());
    if (!c.isValid()) return false;
    color = Rgb(c.red(), c.green(), c.blue());
    return true;
}

void QtUser::ShowHelp(const QString &helpFile, int command) { ShowHelpViewer(helpFile, command); }

void QtUser::ShowModal(QDialog *dialog) {
    RestoreFocus keep;
    dialog->exec();
}

}  // namespace sx
