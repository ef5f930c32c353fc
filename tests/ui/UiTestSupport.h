#pragma once
// Shared fixture of the window tests: a fresh scripted user, fresh settings
// and a frame; checks afterwards that every scripted answer was used and no
// unscripted question came up.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "app/frmMain.h"
#include "document/frmVectorTable.h"
#include "platform/ScriptedUser.h"
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

    sx::ScriptedUser user;
    sx::frmMain *frame = nullptr;
    QTemporaryDir tmp;
};
