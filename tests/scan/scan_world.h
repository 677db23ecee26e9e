// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fake_client.h"

#include "app/form1.h"
#include "support/scripted_prompts.h"
#include "support/test_services.h"

#include <functional>
#include <memory>

// Scripted prompts that also let a test look at the window at the moment of a beep.
class BeepWatchingPrompts : public quorvex::ScriptedPrompts
{
public:
    std::function<void()> onBeep;
    void beep() override
    {
        ScriptedPrompts::beep();
        if (onBeep)
            onBeep();
    }
};

// A main window on test services: drive C: is a fixed disk and F: a network
// drive on FS1/DATA, both folders of the test's temporary directory; the
// NetWare client is a FakeClient.
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
    // Maps a drive letter anew ("fixed:" + its folder, ...).
    void remapDrive(QChar letter, const QString& type);

    quorvex::TestServices t;
    BeepWatchingPrompts prompts;
    std::unique_ptr<quorvex::Services> services;
    FakeClient client;
    std::unique_ptr<quorvex::Form1> form;
};
