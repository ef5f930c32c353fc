#pragma once
// The two buttons every dialog has: "&Ok" (the default) and "&Abbrechen",
// named so that the scripted user and the tests find them.

#include <QHBoxLayout>
#include <QPushButton>

namespace sx {

inline void MakeOkCancel(QWidget *dialog, QPushButton *&ok, QPushButton *&cancel) {
    ok = new QPushButton(QStringLiteral("&Ok"), dialog);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    cancel = new QPushButton(QStringLiteral("&Abbrechen"), dialog);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
}

// The buttons in a row at the right.
inline QHBoxLayout *OkCancelRow(QWidget *dialog, QPushButton *&ok, QPushButton *&cancel) {
    MakeOkCancel(dialog, ok, cancel);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

}  // namespace sx
