#pragma once

#include <QObject>

namespace quorvex {

class Form1;

// The connection scan of the file chosen in the file browser.
class ScanEngine : public QObject
{
    Q_OBJECT
public:
    explicit ScanEngine(Form1& form);

    // The Scan button; also run by the rescan timer, a file double-click, a
    // history pick and the command line. Dropped while a scan is running.
    void Command1_Click();
    bool isRunning() const { return running_; }

private:
    bool running_ = false;

private:
    Form1& form_;
};

} // namespace quorvex
