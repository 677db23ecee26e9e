// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

namespace quorvex {

class Form1;
class WindowBehaviour;

// Start-up and shutdown of the main window: Form_Load brings up the NetWare
// client and restores the user's settings and window; Form_Unload writes them
// back. Settings are written at no other time. The window's close box, the
// "E&xit" button, the tray's "&Exit", Escape and the termination signals all end
// in unload(), which runs Form_Unload once.
class Lifecycle : public QObject
{
    Q_OBJECT
public:
    explicit Lifecycle(Form1& form);
    ~Lifecycle() override;

    // Start-up; false when the program is to end at once (the client could not
    // be initialised, or a command-line job ended it); exitStatus() says how.
    bool Form_Load(const QString& commandLine);
    void Form_Unload();

    // Unloads the main window: shutdown, then the window closes.
    void unload();
    // SIGINT or SIGTERM: a running scan stops as Stop stops it, and the window
    // unloads without asking anything (a settings file that could not be
    // written is said on standard error).
    void terminate();
    bool isUnloaded() const { return unloaded_; }

    // 0 after an orderly run, 2 when the program could not start.
    int exitStatus() const { return exitStatus_; }
    void setExitStatus(int status) { exitStatus_ = status; }

    WindowBehaviour& window() const { return *window_; }

    // The jobs a non-empty command line names ("/p" excepted).
    void runCommandLineJob(const QString& commandLine);

signals:
    // Shutdown has finished; the program ends with this status.
    void programEnded(int status);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restoreBrowser();
    void readHistories();
    void readOptions();
    void writeOptions();
    void writeSettingsFile();

    Form1& form_;
    std::unique_ptr<WindowBehaviour> window_;
    bool unloaded_ = false;
    bool terminating_ = false;
    int exitStatus_ = 0;
    // The window size as read at start-up, and the pixels it gave.
    struct StoredSize
    {
        float twips = 0;
        int pixels = -1;
    };
    StoredSize storedHeight_;
    StoredSize storedWidth_;
};

} // namespace quorvex
