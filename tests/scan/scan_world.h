#pragma once

#include "fake_client.h"

#include "app/form1.h"
#include "platform/app_dirs.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/drive_map.h"
#include "platform/printer.h"
#include "platform/prompts.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

#include <QTemporaryDir>

#include <functional>

#include <memory>

// Prompts that answer every box with its default button and record what the
// program asked, beeps included, in one ordered list of events.
class RecordingPrompts : public quorvex::Prompts
{
public:
    struct Box
    {
        QString text, title;
        quorvex::MsgIcon icon;
        quorvex::MsgButtons buttons;
    };
    QList<Box> boxes;
    QStringList events; // "beep", "box:<text>"
    int beeps() const { return int(events.count(QStringLiteral("beep"))); }

    quorvex::Answer messageBox(const QString& text, const QString& title, quorvex::MsgIcon icon,
                               quorvex::MsgButtons buttons, quorvex::Answer def) override
    {
        boxes.append({text, title, icon, buttons});
        events << QStringLiteral("box:") + text;
        return quorvex::effectiveDefault(buttons, def);
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    std::function<void()> onBeep;
    void beep() override
    {
        events << QStringLiteral("beep");
        if (onBeep)
            onBeep();
    }
    void showNotification(const QString& text, const QString&, quorvex::MsgIcon) override
    {
        events << QStringLiteral("note:") + text;
    }
    bool raiseWindowTitled(const QString&) override { return false; }
};

// Wall and monotonic time that move only when the test moves them.
class TestClock : public quorvex::Clock
{
public:
    QDateTime wall = QDateTime(QDate(2026, 3, 4), QTime(23, 59, 50));
    qint64 mono = 1'000'000;
    QDateTime now() const override { return wall; }
    qint64 monotonicMs() const override { return mono; }
    void advanceMs(qint64 ms)
    {
        mono += ms;
        wall = wall.addMSecs(ms);
    }
};

class NullShell : public quorvex::Shell
{
public:
    bool openDocument(const QString&) override { return false; }
    QString findBrowser() override { return {}; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
};

class NullPrinter : public quorvex::Printer
{
public:
    bool print(const QString&, const QList<quorvex::PrintLine>&) override { return false; }
};

class MemoryClipboard : public quorvex::Clipboard
{
public:
    QString content;
    void setText(const QString& text) override { content = text; }
    QString text() const override { return content; }
};

// A main window on test services: drive C: is a fixed disk and F: a network
// drive on FS1/DATA, both folders of a temporary directory; the NetWare client
// is a FakeClient.
class ScanWorld
{
public:
    ScanWorld();
    ~ScanWorld();

    // Creates a file on a drive, e.g. createFile("F:\\REPORTS\\Q1.XLS").
    void createFile(const QString& dosPath);
    // Chooses a file in the browser's controls as a user would have.
    void choose(const QString& dosPath);
    // Clicks Scan.
    void scan();
    QStringList userLines() const;

    QTemporaryDir dir;
    std::unique_ptr<quorvex::SettingsStore> store;
    quorvex::DriveMap drives;
    RecordingPrompts prompts;
    TestClock clock;
    NullShell shell;
    NullPrinter printer;
    MemoryClipboard clipboard;
    std::unique_ptr<quorvex::AppDirs> dirs;
    std::unique_ptr<quorvex::Services> services;
    FakeClient client;
    std::unique_ptr<quorvex::Form1> form;
};
