#pragma once

#include <QObject>

namespace quorvex {

class Form1;

// Watching a file over time: rescan controls, activity log, auto-clear and notification.
class Watch : public QObject
{
    Q_OBJECT
public:
    explicit Watch(Form1& form);

    // Steps after a completed scan, in the order the scan calls them.
    void logActivity();
    void autoClear();
    void notifyFileInUse();
    void notifyFileFree();
    void rearmRescan();

private:
    Form1& form_;
};

} // namespace quorvex
