#pragma once
// Shared fixture of the window tests: a fresh scripted user, fresh settings
// and a frame; checks afterwards that every scripted answer was used and no
// unscripted question came up.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "SameField.h"
#include "SampleDocument.h"
#include "ScriptedUser.h"
#include "app/frmMain.h"
#include "document/frmVectorTable.h"
#include "platform/FlexGrid.h"
#include "platform/SettingsStore.h"

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(sx::SettingsFilePath());
        sx::SetUser(&user);
    }
    void TearDown() override {
        for (const QString &f : user.failures) ADD_FAILURE() << f.toStdString();
        EXPECT_EQ(user.Pending(), 0u) << "scripted answers left unused";
        if (frame) {
            for (sx::frmVectorTable *d : frame->Documents()) d->doc.Modified = false;
            delete frame;
            frame = nullptr;
        }
        QApplication::processEvents();
        sx::SetUser(nullptr);
    }
    sx::frmMain *MakeFrame() {
        frame = new sx::frmMain;
        return frame;
    }
    // Opens `path` the way the frame's open command does, without the dialog.
    sx::frmVectorTable *Open(const QString &path) {
        if (!frame) MakeFrame();
        frame->commonDialog.FileName = path;
        return frame->OpenDocumentWindow();
    }
    QString TempPath(const QString &name) const { return tmp.filePath(name); }
    // A sample field of nx x ny nodes in a window showing its table, the table focused.
    sx::frmVectorTable *OpenTableWindow(int nx, int ny, const std::function<void(sx::VectorDocument &)> &adjust) {
        sx::SaveSetting("StartUp", "ShowInfo", "No");
        const QString path = TempPath("feld.sdx");
        EXPECT_TRUE(WriteSampleSdx(path.toStdString(), nx, ny, adjust));
        sx::frmVectorTable *w = Open(path);
        if (!w) return nullptr;
        w->resize(600, 400);
        w->mnuShowTable_Click();
        w->grdTable->setFocus();
        return w;
    }
    // What the table shows in a cell (1-based; 0 is the header).
    static QString TableCell(sx::frmVectorTable *w, int row, int col, int role = Qt::DisplayRole) {
        return w->grdTable->Model().data(w->grdTable->Model().index(row - 1, col - 1), role).toString();
    }

    sx::ScriptedUser user;
    sx::frmMain *frame = nullptr;
    QTemporaryDir tmp;
};
