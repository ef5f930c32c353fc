#include "QtUser.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <optional>

#include "FileNames.h"
#include "HelpContext.h"
#include "HelpViewer.h"
#include "MessageButtons.h"
#include "ScreenFit.h"
#include "ScrollMessageBox.h"
#include "VectorDocument.h"
#include "WaitCursor.h"

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

MsgAnswer MessageBox(const UserMessage &m) {
    WaitCursorPause ask;
    return User().ShowMessage(m);
}

MsgAnswer MessageBox(const std::string &text, MsgIcon icon, MsgButtons buttons, const std::string &title) {
    return MessageBox(UserMessage{text, icon, buttons, title});
}

QString InputBox(const QString &prompt, const QString &title, const QString &defaultText) {
    WaitCursorPause ask;
    auto r = User().AskInput(prompt, title, defaultText);
    return r ? *r : QString();
}

MsgAnswer QtUser::ShowMessage(const UserMessage &m) {
    const QString text = ShownText(m.text);
    QWidget *parent = ActiveParent();
    if (MessageTooTallForScreen(text, parent)) {
        ScrollMessageBox box(m, parent);
        NameHelpPage(&box);
        RestoreFocus keep;
        box.exec();
        return box.Answer();
    }
    QMessageBox box(parent);
    box.setWindowTitle(ShownText(m.title));
    // file names and field texts may hold "<": never read them as markup
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (m.icon) {
        case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MsgIcon::None: break;
    }
    std::vector<std::pair<MsgAnswer, QAbstractButton *>> buttons;
    const MsgAnswer byReturn = DefaultAnswer(m);
    for (const MessageButton &b : ButtonsOf(m.buttons)) {
        QPushButton *button = box.addButton(b.text, static_cast<QMessageBox::ButtonRole>(b.role));
        buttons.emplace_back(b.answer, button);
        if (b.answer == byReturn) box.setDefaultButton(button);
        if (b.answer == MsgAnswer::Cancel) box.setEscapeButton(button);
    }
    NameHelpPage(&box);
    {
        RestoreFocus keep;
        box.exec();
    }
    for (const auto &[answer, button] : buttons)
        if (box.clickedButton() == button) return answer;
    return ClosedAnswer(m.buttons);
}

std::optional<QString> QtUser::AskInput(const QString &prompt, const QString &title, const QString &defaultText) {
    QInputDialog dlg(ActiveParent());
    dlg.setInputMode(QInputDialog::TextInput);
    dlg.setWindowTitle(title);
    dlg.setLabelText(prompt);
    dlg.setTextValue(defaultText);
    // long prompts wrap instead of widening the box past the screen
    for (QLabel *label : dlg.findChildren<QLabel *>()) label->setWordWrap(true);
    FitToScreen(&dlg);
    NameHelpPage(&dlg);
    bool ok;
    {
        RestoreFocus keep;
        ok = dlg.exec() == QDialog::Accepted;
    }
    if (!ok) return std::nullopt;
    return dlg.textValue();
}

namespace {

// Sizes, types and dates show their whole texts, in every folder the user
// goes to; the name takes the room that is left.
void FitFileColumns(QFileDialog *dlg) {
    auto *tree = dlg->findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!tree) return;
    auto fit = [tree] {
        QHeaderView *h = tree->header();
        int others = 0;
        for (int c = 1; c < h->count(); ++c) {
            if (h->isSectionHidden(c)) continue;
            tree->resizeColumnToContents(c);
            others += h->sectionSize(c);
        }
        const int least = std::max(h->sectionSizeHint(0), tree->viewport()->width() / 3);
        h->resizeSection(0, std::max(least, tree->viewport()->width() - others));
    };
    // the folder is read in the background: fit once its entries are there
    if (auto *model = dlg->findChild<QFileSystemModel *>())
        QObject::connect(model, &QFileSystemModel::directoryLoaded, tree,
                         [tree, fit] { QTimer::singleShot(0, tree, fit); });
    QTimer::singleShot(0, tree, fit);
}

}  // namespace

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
    // Raised once a file is chosen; declared before the dialog, so that it
    // is up while the dialog is torn down as well.
    std::optional<WaitCursor> busy;
    // An empty title shows Qt's default ("Öffnen", "Speichern unter").
    QFileDialog dlg(ActiveParent(), r.title);
    // Qt's own dialog everywhere: the same German texts and behaviour on every desktop
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    // the wording German users know from their file dialogs; only the name
    // label has a field to jump to, so only it carries a shortcut
    dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    dlg.setLabelText(QFileDialog::FileName, QStringLiteral("Datei&name:"));
    dlg.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dlg.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !(r.save && (r.flags & 2)));
    const QStringList filters = QtFilterList(r.filter);
    dlg.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size()) dlg.selectNameFilter(filters[r.filterIndex - 1]);
    if (!r.initDir.isEmpty()) dlg.setDirectory(r.initDir);
    if (!r.fileName.isEmpty()) {
        // a folder whose name is no UTF-8 cannot be shown: the dialog starts
        // in the last one it can show, with the rest of the path as the name,
        // and gives back the same path on Return
        const DialogStart start = DialogStartFor(r.fileName);
        if (start.name.contains(QLatin1Char('/'))) {
            dlg.setDirectory(start.folder);
            dlg.selectFile(start.name);
        } else {
            dlg.selectFile(r.fileName);
        }
    }
    FitFileColumns(&dlg);
    // roomy enough that sizes, types and dates are not cut off
    dlg.resize(QSize(800, 520).boundedTo(LargestClientSize(dlg.parentWidget())));
    FitToScreen(&dlg);
    NameHelpPage(&dlg);
    bool accepted;
    {
        RestoreFocus keep;
        accepted = dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty();
    }
    if (!accepted) return false;
    // the chosen file starts the command's work: the hourglass goes up now
    busy.emplace();
    r.fileName = ResolveDialogFileName(dlg.selectedFiles().first());
    r.filterIndex = static_cast<int>(filters.indexOf(dlg.selectedNameFilter())) + 1;
    if (r.filterIndex < 1) r.filterIndex = 1;
    return true;
}

bool QtUser::ShowColorDialog(int32_t &color) {
    QColorDialog dlg(QColor(RedOf(color), GreenOf(color), BlueOf(color)), ActiveParent());
    dlg.setOption(QColorDialog::DontUseNativeDialog);
    FitToScreen(&dlg);
    NameHelpPage(&dlg);
    bool accepted;
    {
        RestoreFocus keep;
        accepted = dlg.exec() == QDialog::Accepted;
    }
    if (!accepted) return false;
    const QColor c = dlg.selectedColor();
    if (!c.isValid()) return false;
    color = Rgb(c.red(), c.green(), c.blue());
    return true;
}

void QtUser::ShowHelp(const QString &helpFile, int command) { ShowHelpViewer(helpFile, command); }

void QtUser::ShowModal(QDialog *dialog) {
    FitToScreen(dialog);
    NameHelpPage(dialog);
    RestoreFocus keep;
    dialog->exec();
}

}  // namespace sx
