#pragma once

#include <QObject>

namespace quorvex {

class Form1;

// Clearing the lock on the selected file, or the lock set.
class FileLocks : public QObject
{
    Q_OBJECT
public:
    explicit FileLocks(Form1& form);

    void Command11_Click();

private:
    Form1& form_;
};

} // namespace quorvex
