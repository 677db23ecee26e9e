#pragma once

#include <QObject>

namespace quorvex {

class Form1;

// Start-up and shutdown of the main window.
class Lifecycle : public QObject
{
    Q_OBJECT
public:
    explicit Lifecycle(Form1& form);

    // Start-up; false when the program is to end at once (the client could not
    // be initialised, or a command-line job ended it).
    bool Form_Load(const QString& commandLine);
    void Form_Unload();

private:
    Form1& form_;
};

} // namespace quorvex
